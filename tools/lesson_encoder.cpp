// The lesson encoder: turns the lesson data of resources/lessons/ into the 85
// compressed lesson resources, at build time.
//
//   lesson_encoder UNITS.tsv COMMANDMENTS.tsv OUTPUT_DIR
//
// Writes into OUTPUT_DIR: lesson_<id>.bin (one chunk per resource), lessons.rc
// (the RCDATA statements of the Win32 program), lesson_resource_data.cpp (the
// same bytes as a table for native builds) and lesson_entry_listing.cpp (every
// entry's bytes, for the round-trip tests). Any fault in the data stops it
// with "file:line: reason" on stderr and exit code 1.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lessons/lesson_compressor.h"
#include "lessons/lesson_decompressor.h"
#include "lessons/lesson_error.h"
#include "lessons/lesson_resources.h"
#include "lessons/lesson_schedule.h"
#include "lessons/lesson_source.h"
#include "lessons/lesson_wording.h"
#include "lessons/seven_bit_text.h"
#include "lessons/text_stream.h"

namespace {

constexpr size_t kMaxEntryBytes = 255;  // the length byte of an entry

// One entry of a track: its 7-bit display-order bytes, and where in the data
// it came from (for messages).
struct EncodedEntry {
  std::vector<uint8_t> Bytes;
  std::string Origin;  // "file:line" or "file:lines a-b"
};

// One track: its first resource id and its entries (days) in order.
struct Track {
  const char* Name;
  int32_t FirstId;
  std::vector<EncodedEntry> Entries;
};

// One generated resource.
struct Resource {
  int32_t Id;
  std::vector<uint8_t> Chunk;  // header and compressed data
  size_t Raw;                  // decompressed bytes (U)
};

// Reads the whole file at path into *text; false with a message otherwise.
bool ReadFile(const char* path, std::string* text) {
  FILE* file = fopen(path, "rb");
  if (!file) {
    fprintf(stderr, "%s: cannot open the file\n", path);
    return false;
  }
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, got);
  bool ok = !ferror(file);
  fclose(file);
  if (!ok) fprintf(stderr, "%s: cannot read the file\n", path);
  return ok;
}

// Writes size bytes to path; false with a message otherwise.
bool WriteFile(const std::string& path, const void* data, size_t size) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) {
    fprintf(stderr, "%s: cannot create the file\n", path.c_str());
    return false;
  }
  bool ok = fwrite(data, 1, size, file) == size;
  ok = fclose(file) == 0 && ok;
  if (!ok) fprintf(stderr, "%s: cannot write the file\n", path.c_str());
  return ok;
}

// True for the bytes an entry may hold: the letters, the space and the
// punctuation " ' ( ) * , - . :
bool IsEntryByte(uint8_t b) {
  return IsLetterByte(b) || strchr(" \"'()*,-.:", b) != nullptr;
}

// Converts the UTF-8 wording of one entry into *entry; false with a message
// naming the entry's origin otherwise.
bool EncodeEntry(const std::string& wording, const std::string& origin, const char* track,
                 int32_t day, EncodedEntry* entry) {
  SevenBitFault fault{0, 0};
  entry->Origin = origin;
  if (!Utf8ToDisplayBytes(wording.data(), wording.size(), &entry->Bytes, &fault)) {
    if (fault.codePoint == kMalformedUtf8) {
      fprintf(stderr, "%s: %s day %d: ill-formed UTF-8 at byte %zu of \"%s\"\n", origin.c_str(),
              track, day, fault.offset, wording.c_str());
    } else {
      fprintf(stderr, "%s: %s day %d: character U+%04X has no 7-bit byte, in \"%s\"\n",
              origin.c_str(), track, day, fault.codePoint, wording.c_str());
    }
    return false;
  }
  for (uint8_t b : entry->Bytes) {
    if (!IsEntryByte(b)) {
      fprintf(stderr, "%s: %s day %d: the character '%c' may not stand in an entry, in \"%s\"\n",
              origin.c_str(), track, day, b, wording.c_str());
      return false;
    }
  }
  if (entry->Bytes.size() > kMaxEntryBytes) {
    fprintf(stderr, "%s: %s day %d: the entry has %zu bytes, at most %zu fit, in \"%s\"\n",
            origin.c_str(), track, day, entry->Bytes.size(), kMaxEntryBytes, wording.c_str());
    return false;
  }
  return true;
}

// Builds the three tracks from the data into tracks[0..2]: long, first short,
// second short. False with a message on the first faulty entry.
bool BuildTracks(const char* unitsPath, const std::vector<StudyUnit>& units,
                 const char* daysPath, const std::vector<CommandmentDay>& days, Track* tracks) {
  for (int32_t k = 0; k < kLessonCycleDays; ++k) {
    EncodedEntry entry;
    std::string origin = std::string(unitsPath) + ":" + std::to_string(units[k].Line);
    if (!EncodeEntry(LongTrackWording(units[k]), origin, tracks[0].Name, k + 1, &entry)) {
      return false;
    }
    tracks[0].Entries.push_back(entry);
  }
  for (int32_t j = 0; j < kShortCycleDays; ++j) {
    const StudyUnit* three = &units[3 * j];
    EncodedEntry entry;
    std::string origin = std::string(unitsPath) + ":lines " + std::to_string(three[0].Line) +
                         "-" + std::to_string(three[2].Line);
    if (!EncodeEntry(UnitRunsWording(three, 3), origin, tracks[1].Name, j + 1, &entry)) {
      return false;
    }
    tracks[1].Entries.push_back(entry);
  }
  for (int32_t j = 0; j < kShortCycleDays; ++j) {
    EncodedEntry entry;
    std::string origin = std::string(daysPath) + ":" + std::to_string(days[j].Line);
    if (!EncodeEntry(CommandmentsWording(days[j].Items), origin, tracks[2].Name, j + 1, &entry)) {
      return false;
    }
    tracks[2].Entries.push_back(entry);
  }
  return true;
}

// Compresses a track into resources of 20 entries each, appended to
// *resources, and checks that every chunk reads back unchanged. False with a
// message otherwise.
bool PackTrack(const Track& track, std::vector<Resource>* resources) {
  size_t count = track.Entries.size();
  for (size_t first = 0; first < count; first += kEntriesPerResource) {
    size_t last = first + kEntriesPerResource < count ? first + kEntriesPerResource : count;
    std::vector<uint8_t> raw;
    for (size_t i = first; i < last; ++i) {
      raw.push_back(static_cast<uint8_t>(track.Entries[i].Bytes.size()));
      raw.insert(raw.end(), track.Entries[i].Bytes.begin(), track.Entries[i].Bytes.end());
    }
    Resource resource;
    resource.Id = track.FirstId + static_cast<int32_t>(first / kEntriesPerResource);
    resource.Raw = raw.size();
    resource.Chunk.resize(kLessonChunkHeaderSize + LessonCompressedBound(raw.size()) + 8);
    size_t size = PackLessonChunk(raw.data(), raw.size(), resource.Chunk.data(),
                                  resource.Chunk.size());
    if (size == 0) {
      fprintf(stderr, "%s: resource %d does not fit a chunk (%zu bytes)\n",
              track.Entries[first].Origin.c_str(), resource.Id, raw.size());
      return false;
    }
    resource.Chunk.resize(size);
    int32_t error = 0;
    uint8_t* back = UnpackChunk(resource.Chunk.data(), static_cast<uint32_t>(size), &error);
    bool same = back && memcmp(back, raw.data(), raw.size()) == 0;
    free(back);
    if (!same) {
      fprintf(stderr, "%s: resource %d does not read back (code %d)\n",
              track.Entries[first].Origin.c_str(), resource.Id, error);
      return false;
    }
    resources->push_back(resource);
  }
  return true;
}

// bytes as the body of a C++ byte array: "0x12, 0x34, ..." in lines.
std::string ByteList(const std::vector<uint8_t>& bytes) {
  std::string text;
  char item[8];
  for (size_t i = 0; i < bytes.size(); ++i) {
    snprintf(item, sizeof item, "0x%02X,", bytes[i]);
    text += (i % 16 == 0) ? "\n    " : " ";
    text += item;
  }
  return text;
}

// The generated table source of the native builds.
std::string TableSource(const std::vector<Resource>& resources) {
  std::string text =
      "// Generated by the lesson encoder from resources/lessons/: do not edit.\n"
      "#include \"lessons/lesson_resource_table.h\"\n\nnamespace {\n";
  for (const Resource& resource : resources) {
    text += "const uint8_t kResource" + std::to_string(resource.Id) + "[] = {" +
            ByteList(resource.Chunk) + "\n};\n";
  }
  text += "}  // namespace\n\nconst LessonResourceRecord kLessonResourceTable[] = {\n";
  for (const Resource& resource : resources) {
    std::string id = std::to_string(resource.Id);
    text += "    {" + id + ", kResource" + id + ", sizeof kResource" + id + "},\n";
  }
  text += "};\nconst int32_t kLessonResourceTableCount = " + std::to_string(resources.size()) +
          ";\n";
  return text;
}

// The generated resource-script fragment naming the payload files.
std::string ResourceScript(const std::vector<Resource>& resources, const std::string& directory) {
  std::string text =
      "// Generated by the lesson encoder from resources/lessons/: do not edit.\n"
      "// The 85 compressed lesson resources, RT_RCDATA, language 1033.\n"
      "LANGUAGE 0x09, 0x01  // LANG_ENGLISH, SUBLANG_ENGLISH_US\n";
  for (const Resource& resource : resources) {
    text += std::to_string(resource.Id) + " RCDATA \"" + directory + "/lesson_" +
            std::to_string(resource.Id) + ".bin\"\n";
  }
  return text;
}

// The generated listing of every entry's bytes, for the round-trip tests.
std::string ListingSource(const Track* tracks) {
  std::string text =
      "// Generated by the lesson encoder from resources/lessons/: do not edit.\n"
      "#include \"lessons/lesson_entry_listing.h\"\n\n"
      "const char* const kLessonEntryListing[kLessonEntryListingCount] = {\n";
  for (int32_t t = 0; t < 3; ++t) {
    for (const EncodedEntry& entry : tracks[t].Entries) {
      text += "    \"";
      for (uint8_t b : entry.Bytes) {
        if (b == '"' || b == '\\') text += '\\';
        text += static_cast<char>(b);
      }
      text += "\",\n";
    }
  }
  return text + "};\n";
}

// Writes every output file into directory; false with a message otherwise.
bool WriteOutputs(const std::string& directory, const std::vector<Resource>& resources,
                  const Track* tracks) {
  for (const Resource& resource : resources) {
    std::string path = directory + "/lesson_" + std::to_string(resource.Id) + ".bin";
    if (!WriteFile(path, resource.Chunk.data(), resource.Chunk.size())) return false;
  }
  std::string table = TableSource(resources);
  std::string script = ResourceScript(resources, directory);
  std::string listing = ListingSource(tracks);
  return WriteFile(directory + "/lesson_resource_data.cpp", table.data(), table.size()) &&
         WriteFile(directory + "/lessons.rc", script.data(), script.size()) &&
         WriteFile(directory + "/lesson_entry_listing.cpp", listing.data(), listing.size());
}

// Reads and checks both data files; false with a message otherwise.
bool ReadData(const char* unitsPath, const char* daysPath, std::vector<StudyUnit>* units,
              std::vector<CommandmentDay>* days) {
  std::string unitsText;
  std::string daysText;
  SourceError error{0, ""};
  if (!ReadFile(unitsPath, &unitsText) || !ReadFile(daysPath, &daysText)) return false;
  if (!ParseStudyUnits(unitsText, units, &error)) {
    fprintf(stderr, "%s:%d: %s\n", unitsPath, error.Line, error.Reason.c_str());
    return false;
  }
  if (!ParseCommandmentDays(daysText, days, &error)) {
    fprintf(stderr, "%s:%d: %s\n", daysPath, error.Line, error.Reason.c_str());
    return false;
  }
  if (units->size() != static_cast<size_t>(kLessonCycleDays)) {
    fprintf(stderr, "%s: %zu units, the cycle has %d\n", unitsPath, units->size(),
            kLessonCycleDays);
    return false;
  }
  if (days->size() != static_cast<size_t>(kShortCycleDays)) {
    fprintf(stderr, "%s: %zu days, the track has %d\n", daysPath, days->size(), kShortCycleDays);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: lesson_encoder UNITS.tsv COMMANDMENTS.tsv OUTPUT_DIR\n");
    return 2;
  }
  std::vector<StudyUnit> units;
  std::vector<CommandmentDay> days;
  if (!ReadData(argv[1], argv[2], &units, &days)) return 1;
  Track tracks[3] = {{"long track", kLongTrackFirstId, {}},
                     {"first short track", kFirstShortTrackFirstId, {}},
                     {"second short track", kSecondShortTrackFirstId, {}}};
  if (!BuildTracks(argv[1], units, argv[2], days, tracks)) return 1;
  std::vector<Resource> resources;
  for (const Track& track : tracks) {
    if (!PackTrack(track, &resources)) return 1;
  }
  if (!WriteOutputs(argv[3], resources, tracks)) return 1;
  size_t raw = 0;
  size_t compressed = 0;
  size_t stored = 0;
  size_t entries = 0;
  for (const Resource& resource : resources) {
    raw += resource.Raw;
    compressed += resource.Chunk.size() - kLessonChunkHeaderSize;
    stored += resource.Chunk.size();
  }
  for (const Track& track : tracks) entries += track.Entries.size();
  printf("lesson_encoder: %zu entries in %zu resources: %zu raw bytes, %zu compressed (%.1f%%), "
         "%zu with chunk headers\n",
         entries, resources.size(), raw, compressed, 100.0 * compressed / raw, stored);
  return 0;
}

// Entries out of the lesson resources: every one of the 1695 reads back as the
// encoder wrote it, through the program's own lookup (FindResourceW under
// Win32, the generated table natively); bad ids and corrupt chunks fail with
// their codes.
#include "lessons/lesson_entry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lessons/lesson_entry_listing.h"
#include "lessons/lesson_error.h"
#include "lessons/lesson_resources.h"
#include "lessons/seven_bit_text.h"
#include "tests/fakes/buffer_error_alert_fake.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int32_t kUntouched = -99;

// One family of resources: first id, days, and the day's index in the listing.
struct Family {
  const char* name;
  int32_t firstId;
  int32_t days;
  int32_t listingStart;
};

const Family kFamilies[] = {
    {"long track", kLongTrackFirstId, 1017, 0},
    {"first short track", kFirstShortTrackFirstId, 339, 1017},
    {"second short track", kSecondShortTrackFirstId, 339, 1356},
};

// The entry as a string, or "<code N>" when it failed.
std::string Load(int32_t id, int32_t index) {
  int32_t error = kUntouched;
  uint8_t* entry = LoadLessonEntry(id, index, &error);
  if (!entry) return "<code " + std::to_string(error) + ">";
  EXPECT_EQ(error, kUntouched);
  std::string text(reinterpret_cast<char*>(entry));
  free(entry);
  return text;
}

// The reading-order UTF-8 of a listing entry.
std::string Reading(const char* entry) {
  std::string utf8;
  DisplayBytesToUtf8(reinterpret_cast<const uint8_t*>(entry), strlen(entry), &utf8, nullptr);
  return utf8;
}

TEST(LessonEntry, EveryEntryReadsBackAsEncoded) {
  ResetBufferErrorAlertCount();
  for (const Family& family : kFamilies) {
    for (int32_t day = 0; day < family.days; ++day) {
      int32_t id = family.firstId + day / kEntriesPerResource;
      ASSERT_EQ(Load(id, day % kEntriesPerResource),
                kLessonEntryListing[family.listingStart + day])
          << family.name << " day " << day + 1;
    }
  }
  EXPECT_EQ(BufferErrorAlertCount(), 0);
}

TEST(LessonEntry, EntriesHoldOnlyEntryBytes) {
  for (const char* entry : kLessonEntryListing) {
    size_t length = strlen(entry);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, 256u);
    for (size_t i = 0; i < length; ++i) {
      uint8_t b = static_cast<uint8_t>(entry[i]);
      ASSERT_TRUE((b >= 0x61 && b <= 0x7B) || strchr(" \"'()*,-.:", b)) << entry;
    }
  }
}

// A few days read in reading order, against the published schedule.
TEST(LessonEntry, KnownDaysReadAsPublished) {
  struct Row {
    int32_t id;
    int32_t index;
    const char* reading;
  };
  const Row rows[] = {
      // Long track day 1: the first part of the introduction.
      {1101, 0, "הקדמה חלק א'"},
      // Long track day 13: the first chapter after the introductory texts.
      {1101, 12, "הלכות יסודי התורה פרק א'"},
      // Long track day 1017, the last entry of 1151.
      {1151, 16, "הלכות מלכים ומלחמות פרק י\"ב"},
      // First short track day 1: three parts of one introductory text.
      {1301, 0, "הקדמה חלקים א'-ג'"},
      // First short track day 339, the last entry of 1317.
      {1317, 18, "הלכות מלכים ומלחמות פרקים י'-י\"ב"},
      // Second short track day 1: a text item.
      {1351, 0, "הקדמה"},
      // Second short track day 5: alternating kinds each get their prefix.
      {1351, 4, "מ\"ע א', ל\"ת א', מ\"ע ב'"},
      // Second short track day 10: one kind shares its prefix.
      {1351, 9, "ל\"ת רנ\"ו, ש\"א, ש\"ד, ש\"ה"},
      // Second short track day 339, the last entry of 1367.
      {1367, 18, "מ\"ע קצ\"א, רי\"ד, ל\"ת שי\"א, נ\"ח, מ\"ע רכ\"א, ל\"ת רס\"ג, רס\"ד"},
  };
  for (const Row& row : rows) {
    std::string entry = Load(row.id, row.index);
    EXPECT_EQ(Reading(entry.c_str()), row.reading) << row.id << " entry " << row.index;
  }
}

TEST(LessonEntry, BadIdsAndIndexesFailWithTheirCodes) {
  struct Row {
    int32_t id;
    int32_t index;
    int32_t code;
  };
  const Row rows[] = {
      // Ids next to the three families.
      {1100, 0, kLessonErrorNoResource},
      {1152, 0, kLessonErrorNoResource},
      {1300, 0, kLessonErrorNoResource},
      {1318, 0, kLessonErrorNoResource},
      {1350, 0, kLessonErrorNoResource},
      {1368, 0, kLessonErrorNoResource},
      {0, 0, kLessonErrorNoResource},
      {-1, 0, kLessonErrorNoResource},
      // One past the last entry of each family's last resource.
      {1151, 17, kLessonErrorNoChunk},
      {1317, 19, kLessonErrorNoChunk},
      {1367, 19, kLessonErrorNoChunk},
      // One past a full resource.
      {1101, 20, kLessonErrorNoChunk},
      // Far past the end, and negative.
      {1101, 100000, kLessonErrorNoChunk},
      {1101, -1, kLessonErrorNoChunk},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Load(row.id, row.index), "<code " + std::to_string(row.code) + ">")
        << row.id << " entry " << row.index;
  }
  // Only the low 16 bits of an id name a resource.
  EXPECT_EQ(Load(0x10000 + 1101, 0), Load(1101, 0));
}

// CopyChunkEntry of index in resource (an exact-size heap copy).
std::string Copy(const Bytes& resource, int32_t index) {
  uint8_t* exact = static_cast<uint8_t*>(malloc(resource.size() + 1));
  memcpy(exact, resource.data(), resource.size());
  int32_t error = kUntouched;
  uint8_t* entry = CopyChunkEntry(exact, static_cast<uint32_t>(resource.size()), index, &error);
  free(exact);
  if (!entry) return "<code " + std::to_string(error) + ">";
  std::string text(reinterpret_cast<char*>(entry));
  free(entry);
  return text;
}

// A chunk of literal codes only: L = U, entries as given (length bytes 0..8 go
// in literal runs of one).
Bytes LiteralChunk(const Bytes& entries) {
  Bytes data;
  for (uint8_t b : entries) {
    if (b >= 1 && b <= 8) data.push_back(1);
    data.push_back(b);
  }
  while (data.size() < 5) data.push_back(0);  // ignored once U bytes are out
  Bytes chunk(4 + data.size());
  chunk[0] = static_cast<uint8_t>(data.size() >> 8);
  chunk[1] = static_cast<uint8_t>(data.size());
  chunk[2] = static_cast<uint8_t>(entries.size() >> 8);
  chunk[3] = static_cast<uint8_t>(entries.size());
  memcpy(chunk.data() + 4, data.data(), data.size());
  return chunk;
}

TEST(CopyChunkEntry, WalksTheEntriesAndRejectsOverruns) {
  // Entries "ab", "" and "c".
  const Bytes three = LiteralChunk({2, 'a', 'b', 0, 1, 'c'});
  struct Row {
    Bytes resource;
    int32_t index;
    const char* expected;
  };
  const Row rows[] = {
      // Each entry in turn; the empty one gives just the zero byte.
      {three, 0, "ab"},
      {three, 1, ""},
      {three, 2, "c"},
      // The index at, and past, the number of entries.
      {three, 3, "<code 3>"},
      {three, 4, "<code 3>"},
      {three, -1, "<code 3>"},
      // An entry whose length byte runs past the end of the chunk.
      {LiteralChunk({5, 'a', 'b'}), 0, "<code 3>"},
      // A skipped entry that runs past the end before the wanted one.
      {LiteralChunk({9, 'a', 'b'}), 1, "<code 3>"},
      // Errors of the chunk itself come through.
      {{0x00, 0x09, 0x00, 0x01, 0x61}, 0, "<code 3>"},
      {{0x00, 0x05, 0x00, 0x09, 0x61, 0x61, 0x61, 0x61, 0x61}, 0, "<code 5>"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Copy(row.resource, row.index), row.expected) << "index " << row.index;
  }
}

}  // namespace

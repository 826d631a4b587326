// Building the clipboard's Rich Text document.
#include "output/rtf_document.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/checked_alloc.h"
#include "lessons/text_stream.h"

#define RTF_HEADER                                                                            \
  "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}{\\colortbl\\red0\\green0" \
  "\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}\\rtldoc\\pard\\rtlpar\\qr"      \
  "\\lang1033\\f0\\fs20\\uc0\r\n"
#define RTF_SEPARATOR "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n"
#define RTF_PARAGRAPH_END "\\par\\par\r\n"
#define RTF_DOCUMENT_END "}\r\n"
#define RTF_FOREIGN_RESET "\\uc0 "

const char kRtfHeader[] = RTF_HEADER;
const char kRtfSeparator[] = RTF_SEPARATOR;
const char kRtfParagraphEnd[] = RTF_PARAGRAPH_END;
const char kRtfDocumentEnd[] = RTF_DOCUMENT_END;
const char kRtfForeignReset[] = RTF_FOREIGN_RESET;
const size_t kRtfHeaderLength = sizeof(RTF_HEADER) - 1;
const size_t kRtfSeparatorLength = sizeof(RTF_SEPARATOR) - 1;
const size_t kRtfParagraphEndLength = sizeof(RTF_PARAGRAPH_END) - 1;
const size_t kRtfDocumentEndLength = sizeof(RTF_DOCUMENT_END) - 1;
const size_t kRtfForeignResetLength = sizeof(RTF_FOREIGN_RESET) - 1;

static_assert(sizeof(RTF_HEADER) - 1 == 180, "document header is 180 bytes");
static_assert(sizeof(RTF_SEPARATOR) - 1 == 52, "separator is 52 bytes");
static_assert(sizeof(RTF_PARAGRAPH_END) - 1 == 10, "paragraph end is 10 bytes");

namespace {

// One presentation form and its canonical decomposition (unused slots 0).
struct Decomposition {
  uint16_t Form;
  uint16_t Points[3];
};

// Sorted by Form.
const Decomposition kDecompositions[] = {
    {0xFB2A, {0x05E9, 0x05C1, 0}},       // shin with shin dot
    {0xFB2B, {0x05E9, 0x05C2, 0}},       // shin with sin dot
    {0xFB2C, {0x05E9, 0x05BC, 0x05C1}},  // shin with dagesh and shin dot
    {0xFB2D, {0x05E9, 0x05BC, 0x05C2}},  // shin with dagesh and sin dot
    {0xFB30, {0x05D0, 0x05BC, 0}},       // alef with mapiq
    {0xFB31, {0x05D1, 0x05BC, 0}},       // bet with dagesh
    {0xFB32, {0x05D2, 0x05BC, 0}},
    {0xFB33, {0x05D3, 0x05BC, 0}},
    {0xFB34, {0x05D4, 0x05BC, 0}},
    {0xFB35, {0x05D5, 0x05BC, 0}},
    {0xFB36, {0x05D6, 0x05BC, 0}},
    {0xFB38, {0x05D8, 0x05BC, 0}},
    {0xFB39, {0x05D9, 0x05BC, 0}},
    {0xFB3A, {0x05DA, 0x05BC, 0}},
    {0xFB3B, {0x05DB, 0x05BC, 0}},
    {0xFB3C, {0x05DC, 0x05BC, 0}},
    {0xFB3E, {0x05DE, 0x05BC, 0}},
    {0xFB40, {0x05E0, 0x05BC, 0}},
    {0xFB41, {0x05E1, 0x05BC, 0}},
    {0xFB43, {0x05E3, 0x05BC, 0}},
    {0xFB44, {0x05E4, 0x05BC, 0}},
    {0xFB46, {0x05E6, 0x05BC, 0}},
    {0xFB47, {0x05E7, 0x05BC, 0}},
    {0xFB48, {0x05E8, 0x05BC, 0}},
    {0xFB49, {0x05E9, 0x05BC, 0}},
    {0xFB4A, {0x05EA, 0x05BC, 0}},
    {0xFB4B, {0x05D5, 0x05B9, 0}},       // vav with holam
};
static_assert(sizeof(kDecompositions) / sizeof(kDecompositions[0]) == 27, "27 presentation forms");

constexpr uint32_t kLastPlainLetter = kCodeBaseUnicode + kLetterCount - 1;  // tav

// Output of the body writer: bytes go to Out when it is set; Count counts
// them either way, in 64 bits so that a count of a huge text cannot wrap.
struct ByteSink {
  uint8_t* Out;
  uint64_t Count;
};

// Appends length bytes of bytes.
void Put(ByteSink* sink, const char* bytes, size_t length) {
  if (sink->Out) memcpy(sink->Out + sink->Count, bytes, length);
  sink->Count += length;
}

// Appends one byte.
void PutByte(ByteSink* sink, char byte) { Put(sink, &byte, 1); }

// Appends "\u" and the decimal value of one UTF-16 code unit (0..65535).
void PutEscape(ByteSink* sink, uint32_t unit) {
  char text[8] = {'\\', 'u'};
  char digits[5];
  int32_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + unit % 10);
    unit /= 10;
  } while (unit != 0 && count < 5);
  size_t length = 2;
  while (count > 0) text[length++] = digits[--count];
  Put(sink, text, length);
}

// True for the bytes that would lengthen a control word or its number if
// written directly behind it: ASCII letters and digits.
bool ExtendsControlWord(uint32_t unit) {
  return (unit >= '0' && unit <= '9') || (unit >= 'A' && unit <= 'Z') || (unit >= 'a' && unit <= 'z');
}

// The body of text through sink; the rules of the clipboard document.
void BuildBody(const WideChar* text, ByteSink* sink) {
  bool afterEscape = false;  // the last thing written was a \uN escape
  size_t i = 0;
  while (text && text[i] != 0) {
    uint32_t unit = static_cast<uint16_t>(text[i]);
    if (unit == 0x20) {
      // Directly behind an escape a run of k blanks becomes k + 1: the first
      // is the escape's delimiter, which RTF readers consume. Elsewhere every
      // blank is text and k stay k.
      if (afterEscape) PutByte(sink, ' ');
      while (text[i] == 0x20) {
        PutByte(sink, ' ');
        ++i;
      }
      afterEscape = false;
    } else if (unit == 0x0D || unit == 0x0A) {
      while (text[i] == 0x0D || text[i] == 0x0A) ++i;
      Put(sink, kRtfParagraphEnd, kRtfParagraphEndLength);
      afterEscape = false;
    } else if (unit >= 0x21 && unit <= 0x7E) {
      // Backslash and braces as the control symbols \\ \{ \}, which readers
      // take as the characters themselves. A letter or digit behind an escape
      // gets the escape's delimiter blank, so that "\u1488" and "1" are not
      // read as "\u14881".
      if (unit == '\\' || unit == '{' || unit == '}') {
        PutByte(sink, '\\');
      } else if (afterEscape && ExtendsControlWord(unit)) {
        PutByte(sink, ' ');
      }
      PutByte(sink, static_cast<char>(unit));
      afterEscape = false;
      ++i;
    } else {
      uint16_t points[3];
      int32_t count = unit > kLastPlainLetter ? DecomposePresentationForm(unit, points) : 0;
      if (count == 0) {
        PutEscape(sink, unit);
      } else {
        for (int32_t k = 0; k < count; ++k) PutEscape(sink, points[k]);
      }
      afterEscape = true;
      ++i;
    }
  }
  Put(sink, kRtfParagraphEnd, kRtfParagraphEndLength);
}

// True for the bytes dropped from the end of an old document.
bool IsTrailingBlank(uint8_t byte) { return byte == '\r' || byte == '\n' || byte == ' ' || byte == '\t'; }

// True for an ASCII letter.
bool IsLetter(uint8_t byte) { return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z'); }

// Adds three sizes; SIZE_MAX if the sum does not fit.
size_t AddSizes(size_t a, size_t b, size_t c) {
  if (a > SIZE_MAX - b) return SIZE_MAX;
  size_t ab = a + b;
  if (ab > SIZE_MAX - c) return SIZE_MAX;
  return ab + c;
}

}  // namespace

int32_t DecomposePresentationForm(uint32_t unit, uint16_t out[3]) {
  size_t low = 0;
  size_t high = sizeof(kDecompositions) / sizeof(kDecompositions[0]);
  while (low < high) {
    size_t middle = (low + high) / 2;
    if (kDecompositions[middle].Form < unit) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low == sizeof(kDecompositions) / sizeof(kDecompositions[0]) || kDecompositions[low].Form != unit)
    return 0;
  int32_t count = 0;
  while (count < 3 && kDecompositions[low].Points[count] != 0) {
    out[count] = kDecompositions[low].Points[count];
    ++count;
  }
  return count;
}

size_t RtfBodyLength(const WideChar* text) {
  ByteSink sink = {nullptr, 0};
  BuildBody(text, &sink);
  // One byte more for the zero must still be addressable.
  if (sink.Count >= SIZE_MAX) return SIZE_MAX;
  return static_cast<size_t>(sink.Count);
}

size_t WriteRtfBody(const WideChar* text, uint8_t* out) {
  ByteSink sink = {out, 0};
  BuildBody(text, &sink);
  out[sink.Count] = 0;
  return static_cast<size_t>(sink.Count);
}

uint8_t* UnicodeToRtfBody(const WideChar* text, size_t* length) {
  *length = 0;
  size_t bodyLength = RtfBodyLength(text);
  if (bodyLength == SIZE_MAX) return nullptr;
  auto* body = static_cast<uint8_t*>(CheckedAlloc(bodyLength + 1));
  *length = WriteRtfBody(text, body);
  return body;
}

size_t RtfGroupEnd(const uint8_t* document, size_t length) {
  size_t depth = 0;
  size_t i = 0;
  while (i < length) {
    uint8_t byte = document[i];
    if (byte == '\\') {
      ++i;
      if (i >= length) return SIZE_MAX;
      if (!IsLetter(document[i])) {
        ++i;  // a control symbol: \\ \{ \} and the like are text
        continue;
      }
      size_t word = i;
      while (i < length && IsLetter(document[i])) ++i;
      bool binary = i - word == 3 && memcmp(document + word, "bin", 3) == 0;
      if (i < length && document[i] == '-') ++i;
      uint64_t number = 0;
      while (i < length && document[i] >= '0' && document[i] <= '9') {
        if (number <= length) number = number * 10 + (document[i] - '0');
        ++i;
      }
      if (i < length && document[i] == ' ') ++i;
      if (binary) {
        // \binN: N bytes of binary data follow the delimiter, braces included.
        if (number > length - i) return SIZE_MAX;
        i += static_cast<size_t>(number);
      }
      continue;
    }
    if (byte == '{') {
      ++depth;
    } else if (byte == '}') {
      if (depth == 0) return SIZE_MAX;
      if (--depth == 0) return i;
    }
    ++i;
  }
  return SIZE_MAX;
}

RtfDocumentPlan PlanRtfDocument(const uint8_t* old, size_t oldLength, size_t bodyLength) {
  RtfDocumentPlan plan = {kRtfNoOldDocument, false, 0, 0};
  if (old && oldLength > 0) {
    size_t end = oldLength;
    while (end > 0 && IsTrailingBlank(old[end - 1])) --end;
    bool reopen = end >= 5 && memcmp(old, "{\\rtf", 5) == 0 && old[end - 1] == '}' &&
                  RtfGroupEnd(old, end) == end - 1;
    if (reopen) {
      plan.Old = kRtfReopened;
      plan.KeptBytes = end - 1;
      plan.Foreign = !(end - 1 >= kRtfHeaderLength && memcmp(old, kRtfHeader, kRtfHeaderLength) == 0);
    } else {
      plan.Old = kRtfReplaced;
    }
  }
  size_t fixed = kRtfDocumentEndLength + 1;
  if (plan.Old == kRtfReopened) {
    fixed += kRtfSeparatorLength + (plan.Foreign ? kRtfForeignResetLength : 0);
  } else {
    fixed += kRtfHeaderLength;
  }
  size_t total = AddSizes(plan.KeptBytes, bodyLength, fixed);
  plan.TotalBytes = total == SIZE_MAX ? 0 : total;
  return plan;
}

size_t WriteRtfDocument(uint8_t* block, const RtfDocumentPlan& plan, const uint8_t* old,
                        const uint8_t* body, size_t bodyLength) {
  size_t at = 0;
  if (plan.Old == kRtfReopened) {
    memcpy(block, old, plan.KeptBytes);
    at = plan.KeptBytes;
    memcpy(block + at, kRtfSeparator, kRtfSeparatorLength);
    at += kRtfSeparatorLength;
    if (plan.Foreign) {
      memcpy(block + at, kRtfForeignReset, kRtfForeignResetLength);
      at += kRtfForeignResetLength;
    }
  } else {
    memcpy(block, kRtfHeader, kRtfHeaderLength);
    at = kRtfHeaderLength;
  }
  if (bodyLength > 0) memcpy(block + at, body, bodyLength);
  at += bodyLength;
  memcpy(block + at, kRtfDocumentEnd, kRtfDocumentEndLength);
  at += kRtfDocumentEndLength;
  block[at++] = 0;
  return at;
}

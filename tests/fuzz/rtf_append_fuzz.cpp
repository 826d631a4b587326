// The Append path against whatever another program left on the clipboard.
//
// Input: two bytes choose how many of the following bytes form the old
// clipboard block (taken as Rich Text and as Unicode text); the rest is the
// new day's UTF-16 text. Checked: nothing reads past the exact-size blocks;
// sizes are exact; the body reads back as the text; the new document is one
// complete group that can be appended to again; the old bytes are kept exactly
// when reopened; the Unicode Append is the old units followed by the new ones.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "output/clipboard_text.h"
#include "output/rtf_document.h"
#include "tests/unit/rtf_text_reader.h"

namespace {

// What a reader shows for the body of text, by the body's rules.
std::u16string ExpectedReading(const WideChar* text) {
  std::u16string shown;
  size_t i = 0;
  while (text[i] != 0) {
    uint32_t unit = static_cast<uint16_t>(text[i]);
    if (unit == 0x20) {
      size_t run = 0;
      while (text[i] == 0x20) ++run, ++i;
      // Every blank shows: the extra one behind an escape is its delimiter.
      shown.append(run, u' ');
    } else if (unit == 0x0D || unit == 0x0A) {
      while (text[i] == 0x0D || text[i] == 0x0A) ++i;
      shown += u"\n\n";
    } else if (unit >= 0x21 && unit <= 0x7E) {
      shown.push_back(static_cast<char16_t>(unit));
      ++i;
    } else {
      uint16_t points[3];
      int32_t count = unit > 0x05EA ? DecomposePresentationForm(unit, points) : 0;
      if (count == 0) shown.push_back(static_cast<char16_t>(unit));
      for (int32_t k = 0; k < count; ++k) shown.push_back(static_cast<char16_t>(points[k]));
      ++i;
    }
  }
  return shown + u"\n\n";
}

// True if the document (length bytes) is one our Append reopens.
bool Reopenable(const uint8_t* document, size_t length) {
  return PlanRtfDocument(document, length, 0).Old == kRtfReopened;
}

void CheckRichText(const uint8_t* oldBlock, size_t oldSize, const WideChar* text) {
  size_t oldLength = ClipboardDataLength(oldBlock, oldSize, false);
  size_t bodyLength = 0;
  uint8_t* body = UnicodeToRtfBody(text, &bodyLength);
  if (!body) abort();
  if (bodyLength != RtfBodyLength(text) || body[bodyLength] != 0) abort();

  std::string reset = "\\uc0 ";
  std::string framed = reset + std::string(reinterpret_cast<char*>(body), bodyLength);
  RtfText read = ReadRtfText(reinterpret_cast<const uint8_t*>(framed.data()), framed.size());
  if (!read.WellFormed || read.Text != ExpectedReading(text)) abort();

  RtfDocumentPlan plan = PlanRtfDocument(oldBlock, oldLength, bodyLength);
  if (plan.TotalBytes == 0) abort();
  auto* block = static_cast<uint8_t*>(malloc(plan.TotalBytes));
  if (!block) abort();
  if (WriteRtfDocument(block, plan, oldBlock, body, bodyLength) != plan.TotalBytes) abort();
  size_t length = plan.TotalBytes - 1;
  if (block[length] != 0 || memcmp(block + length - 3, "}\r\n", 3) != 0) abort();
  if (plan.Old == kRtfReopened) {
    if (plan.KeptBytes >= oldLength || memcmp(block, oldBlock, plan.KeptBytes) != 0) abort();
    if (!Reopenable(oldBlock, oldLength)) abort();
  } else {
    if (plan.KeptBytes != 0 || memcmp(block, kRtfHeader, kRtfHeaderLength) != 0) abort();
    if (oldLength == 0 && plan.Old != kRtfNoOldDocument) abort();
  }
  // One complete group, to be appended to again: our own with no reset.
  if (!Reopenable(block, length)) abort();
  RtfDocumentPlan again = PlanRtfDocument(block, length, 0);
  if (again.Foreign != (plan.Old == kRtfReopened && plan.Foreign)) abort();
  free(block);
  free(body);
}

void CheckUnicode(const uint8_t* oldBlock, size_t oldSize, const WideChar* text) {
  size_t oldLength = ClipboardDataLength(oldBlock, oldSize, true);
  if (oldLength % 2 != 0 || oldLength > oldSize) abort();
  size_t bytes = AppendedUnicodeBytes(oldLength, text);
  size_t units = UnicodeUnits(text);
  if (bytes != oldLength + 2 * units + 2) abort();
  auto* block = static_cast<uint8_t*>(malloc(bytes));
  if (!block) abort();
  if (WriteAppendedUnicode(block, oldBlock, oldLength, text) != bytes) abort();
  if (memcmp(block, oldBlock, oldLength) != 0 || memcmp(block + oldLength, text, 2 * units) != 0) abort();
  if (block[bytes - 1] != 0 || block[bytes - 2] != 0) abort();
  free(block);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t split = (static_cast<size_t>(data[0]) << 8 | data[1]) % (size - 1);
  data += 2;
  size -= 2;
  // Exact-size heap copies: a read past either block is an error.
  auto* oldBlock = static_cast<uint8_t*>(malloc(split == 0 ? 1 : split));
  size_t units = (size - split) / 2;
  auto* text = static_cast<WideChar*>(malloc((units + 1) * sizeof(WideChar)));
  if (!oldBlock || !text) abort();
  memcpy(oldBlock, data, split);
  memcpy(text, data + split, units * sizeof(WideChar));
  text[units] = 0;
  CheckRichText(oldBlock, split, text);
  CheckUnicode(oldBlock, split, text);
  free(text);
  free(oldBlock);
  return 0;
}

// Building the addresses of the vendor's update page and home page.
#include "common/update_address.h"

#include <cstring>

#include "common/wide_text.h"
#include "zelvan_version.h"

const char kVendorWebAddress[] = "https://www.thalvane.example";
const char kVendorHostName[] = "www.thalvane.example";
const char kUpdatePagePath[] = "/cgi-bin/upgrade?p=windows/";
const char kUpdateProductPath[] = "Thalvane/Zelvan-Quenterbil-Hebrew";
const char kUpdateVersionQuery[] = "&v=" ZELVAN_VERSION_TEXT;

namespace {

// Longest of the fixed texts widened for the update address, with its zero.
constexpr size_t kPieceCapacity = 64;
static_assert(sizeof(kVendorWebAddress) + sizeof(kUpdatePagePath) - 1 <= kPieceCapacity &&
                  sizeof(kUpdateProductPath) <= kPieceCapacity && sizeof(kUpdateVersionQuery) <= kPieceCapacity,
              "fixed texts fit their widened copies");

// Bounded writer of wide characters: Capacity in all, the zero included.
struct AddressWriter {
  WideChar* Out;
  size_t Capacity;
  size_t Count;
  bool Overflowed;
};

// Appends one character, keeping room for the zero.
void PutChar(AddressWriter* writer, uint32_t c) {
  if (writer->Count + 1 >= writer->Capacity) {
    writer->Overflowed = true;
    return;
  }
  writer->Out[writer->Count++] = static_cast<WideChar>(c);
}

// Appends a zero-terminated text unchanged.
void PutText(AddressWriter* writer, const WideChar* text) {
  for (size_t i = 0; text && text[i] != 0 && !writer->Overflowed; ++i) PutChar(writer, static_cast<uint16_t>(text[i]));
}

// True for the characters a query keeps as they are.
bool IsUnreserved(uint32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' || c == '/';
}

// Appends c as '%' and its code in upper-case hexadecimal, at least two digits.
void PutPercentEscape(AddressWriter* writer, uint32_t c) {
  static const char kHex[] = "0123456789ABCDEF";
  int32_t digits = c > 0xFFF ? 4 : c > 0xFF ? 3 : 2;
  PutChar(writer, '%');
  for (int32_t shift = (digits - 1) * 4; shift >= 0; shift -= 4) PutChar(writer, kHex[(c >> shift) & 0xF]);
}

// Appends a zero-terminated text escaped for the query.
void PutEscaped(AddressWriter* writer, const WideChar* text) {
  for (size_t i = 0; text && text[i] != 0 && !writer->Overflowed; ++i) {
    uint32_t c = static_cast<uint16_t>(text[i]);
    if (c == ' ') {
      PutChar(writer, '+');
    } else if (IsUnreserved(c)) {
      PutChar(writer, c);
    } else {
      PutPercentEscape(writer, c);
    }
  }
}

// Ends the address: the zero, or an all-zero buffer when it did not fit.
size_t FinishAddress(AddressWriter* writer) {
  if (writer->Overflowed) {
    memset(writer->Out, 0, writer->Capacity * sizeof(WideChar));
    return 0;
  }
  writer->Out[writer->Count] = 0;
  return writer->Count;
}

}  // namespace

size_t BuildEscapedAddress(WideChar* buffer, size_t capacity, const WideChar* base, const WideChar* path,
                           const WideChar* suffix) {
  if (!buffer || capacity == 0) return 0;
  memset(buffer, 0, capacity * sizeof(WideChar));
  AddressWriter writer = {buffer, capacity, 0, false};
  PutText(&writer, base);
  PutEscaped(&writer, path);
  PutText(&writer, suffix);
  return FinishAddress(&writer);
}

size_t BuildUpdateAddress(WideChar* buffer, size_t capacity) {
  WideChar base[kPieceCapacity];
  WideChar path[kPieceCapacity];
  WideChar version[kPieceCapacity];
  size_t host = WidenAscii(base, kPieceCapacity, kVendorWebAddress);
  WidenAscii(base + host, kPieceCapacity - host, kUpdatePagePath);
  WidenAscii(path, kPieceCapacity, kUpdateProductPath);
  WidenAscii(version, kPieceCapacity, kUpdateVersionQuery);
  return BuildEscapedAddress(buffer, capacity, base, path, version);
}

size_t BuildHomePageAddress(WideChar* buffer, size_t capacity) {
  return WidenAscii(buffer, capacity, kVendorWebAddress);
}

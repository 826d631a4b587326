// A small RTF reader for tests: reads the text of a document or body the way
// RTF readers do, so that tests can check what a client will show.
//
// It knows the grammar (groups, control words with their number and delimiter,
// control symbols, \binN) and the words the clipboard document uses: \par as
// a '\n', \uN as one UTF-16 unit (negative N as N + 65536) followed by \ucN
// skipped characters, \'hh as one byte. The destinations \fonttbl, \colortbl
// and \* groups are skipped. Everything else of a control word is ignored.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What ReadRtfText read.
struct RtfText {
  std::u16string Text;
  bool WellFormed;  // groups balanced, nothing cut short
};

namespace rtf_reader_detail {

inline bool IsLetter(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

inline int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace rtf_reader_detail

// Reads length bytes of RTF. A body alone (no enclosing group) reads too.
inline RtfText ReadRtfText(const uint8_t* rtf, size_t length) {
  using namespace rtf_reader_detail;
  RtfText result = {u"", true};
  int depth = 0;
  int skipDepth = -1;   // depth of a skipped destination group, -1 if none
  int64_t unicodeSkip = 1;  // \ucN in force
  int64_t pendingSkip = 0;  // fallback characters still to skip after \uN
  bool groupStart = false;  // the last token opened a group
  size_t i = 0;
  auto emit = [&](char16_t c) {
    if (skipDepth >= 0) return;
    if (pendingSkip > 0) {
      --pendingSkip;
      return;
    }
    result.Text.push_back(c);
  };
  while (i < length) {
    uint8_t c = rtf[i];
    if (c == '{') {
      ++depth;
      groupStart = true;
      pendingSkip = 0;
      ++i;
      continue;
    }
    bool opened = groupStart;
    groupStart = false;
    if (c == '}') {
      if (depth == 0) result.WellFormed = false;
      if (skipDepth == depth) skipDepth = -1;
      --depth;
      pendingSkip = 0;
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      emit(static_cast<char16_t>(c));
      ++i;
      continue;
    }
    ++i;
    if (i >= length) {
      result.WellFormed = false;
      break;
    }
    uint8_t next = rtf[i];
    if (!IsLetter(next)) {
      ++i;
      if (next == '\\' || next == '{' || next == '}') {
        emit(next);
      } else if (next == '\'') {
        int high = i < length ? HexValue(rtf[i]) : -1;
        int low = i + 1 < length ? HexValue(rtf[i + 1]) : -1;
        if (high < 0 || low < 0) {
          result.WellFormed = false;
        } else {
          emit(static_cast<char16_t>(high * 16 + low));
          i += 2;
        }
      } else if (next == '*' && opened && skipDepth < 0) {
        skipDepth = depth;
      }
      continue;
    }
    std::string word;
    while (i < length && IsLetter(rtf[i])) word.push_back(static_cast<char>(rtf[i++]));
    bool negative = false;
    bool hasNumber = false;
    int64_t number = 0;
    if (i < length && rtf[i] == '-') {
      negative = true;
      ++i;
    }
    while (i < length && IsDigit(rtf[i])) {
      hasNumber = true;
      if (number < 1000000000) number = number * 10 + (rtf[i] - '0');
      ++i;
    }
    if (negative) number = -number;
    if (i < length && rtf[i] == ' ') ++i;
    if (word == "bin") {
      if (number < 0 || static_cast<uint64_t>(number) > length - i) {
        result.WellFormed = false;
        break;
      }
      i += static_cast<size_t>(number);
    } else if (word == "par") {
      emit(u'\n');
    } else if (word == "u" && hasNumber) {
      int64_t unit = number < 0 ? number + 65536 : number;
      emit(static_cast<char16_t>(unit & 0xFFFF));
      if (skipDepth < 0) pendingSkip = unicodeSkip;
    } else if (word == "uc" && hasNumber) {
      unicodeSkip = number < 0 ? 0 : number;
    } else if ((word == "fonttbl" || word == "colortbl") && opened && skipDepth < 0) {
      skipDepth = depth;
    }
  }
  if (depth != 0) result.WellFormed = false;
  return result;
}

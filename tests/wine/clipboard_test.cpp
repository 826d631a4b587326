// Copy and Append to ClipBoard driven as a user would. The driver sends the
// commands to zelvan.exe, reads the clipboard back with GetClipboardData and
// compares it byte for byte with the text and document built from the lesson
// data; for the Append it first puts other programs' data there: documents of
// several megabytes, broken ones, ones that are not Rich Text at all, and
// Unicode text of an odd size. The documents of Copy and three Appends are
// also left in ZELVAN_OUTPUT_ARTIFACTS for the check with the word processor
// (tests/wine/writer_check.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "output/rtf_document.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/output_scenario.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr int32_t kUnicodeBase = 0x5D0;
constexpr int32_t kCodePageBase = 0xE0;
constexpr int32_t kLetterBase = 0x61;

const std::string kHeader(kRtfHeader, kRtfHeaderLength);
const std::string kSeparator(kRtfSeparator, kRtfSeparatorLength);
const std::string kEnd(kRtfDocumentEnd, kRtfDocumentEndLength);
const std::string kForeignReset(kRtfForeignReset, kRtfForeignResetLength);

UINT RichTextFormat() { return RegisterClipboardFormatW(L"Rich Text Format"); }

// UTF-16 text as the bytes of a clipboard block, without terminator.
std::string Bytes(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

// The clipboard as the driver sees it.
struct ClipboardView {
  std::vector<UINT> Formats;  // every format on offer, in order
  bool Has = false;           // the asked format was there
  std::string Data;           // its bytes up to the first zero (unit for Unicode text)
};

// Reads the clipboard: its formats and the data of format.
ClipboardView ReadClipboard(HWND owner, UINT format) {
  ClipboardView view;
  if (!WaitUntil([&] { return OpenClipboard(owner) != 0; }, kConditionLimit)) return view;
  for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f)) view.Formats.push_back(f);
  HANDLE handle = GetClipboardData(format);
  const char* data = handle ? static_cast<const char*>(GlobalLock(handle)) : nullptr;
  if (data) {
    view.Has = true;
    size_t size = GlobalSize(handle);
    size_t n = 0;
    if (format == CF_UNICODETEXT) {
      while (n + 1 < size && (data[n] != 0 || data[n + 1] != 0)) n += 2;
    } else {
      while (n < size && data[n] != 0) ++n;
    }
    view.Data.assign(data, n);
    GlobalUnlock(handle);
  }
  CloseClipboard();
  return view;
}

// Puts bytes (exactly, no terminator added) on the clipboard in format, as
// another program would; an empty clipboard for format 0.
bool PutClipboard(HWND owner, UINT format, const std::string& bytes) {
  if (!WaitUntil([&] { return OpenClipboard(owner) != 0; }, kConditionLimit)) return false;
  EmptyClipboard();
  bool put = true;
  if (format != 0) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    void* memory = block ? GlobalLock(block) : nullptr;
    put = memory != nullptr;
    if (memory) {
      memcpy(memory, bytes.data(), bytes.size());
      GlobalUnlock(block);
      put = SetClipboardData(format, block) != nullptr;
    }
    if (!put && block) GlobalFree(block);
  }
  CloseClipboard();
  return put;
}

class Clipboard : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    owner_ = OpenDriverWindow(L"clipboard driver");
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    if (owner_) DestroyWindow(owner_);
    ProgramTest::TearDown();
  }

  // Starts the program on day with the code base and Reverse option.
  void StartOn(AbsoluteDay day, int32_t codeBase, bool reverse) {
    StoreScenarioSettings(day, codeBase, 12, reverse);
    Start();
  }

  // Sends a command and checks that the program is still there and answers.
  void Command(WORD id) {
    SendCommand(run_.Window, id);
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(run_.Window, WM_NULL, 0, 0, SMTO_BLOCK, kConditionLimit, &result), 0)
        << "the program does not answer after command " << id;
    HWND box = FindOtherDialog(run_.ProcessId, nullptr);
    ASSERT_EQ(box, nullptr) << "a message: \"" << Narrow(MessageBoxText(box)) << "\"";
  }

  // Expects the clipboard to hold exactly one format, format, with data.
  void ExpectOnly(UINT format, const std::string& data) {
    ClipboardView view = ReadClipboard(owner_, format);
    ASSERT_TRUE(view.Has) << "format " << format << " is not on the clipboard";
    // Wine offers ANSI and OEM text made from Unicode text on request; the
    // program itself put only the one format.
    for (UINT f : view.Formats) {
      if (format == CF_UNICODETEXT && (f == CF_TEXT || f == CF_OEMTEXT || f == CF_LOCALE)) continue;
      EXPECT_EQ(f, format) << "another format on the clipboard";
    }
    if (format != CF_UNICODETEXT) {
      EXPECT_EQ(view.Formats.size(), 1u);
    }
    EXPECT_EQ(view.Data.size(), data.size());
    EXPECT_TRUE(view.Data == data) << "the clipboard's data differs from the expected "
                                   << data.size() << " bytes";
  }

  HWND owner_ = nullptr;
};

// The body of day's text in the Rich Text document.
std::string DayBody(AbsoluteDay day) { return RichTextBody(DayClipboardText(day, kUnicodeBase, true)); }

}  // namespace

// Copy and three Appends with the Unicode code base make one Rich Text
// document: header, four days with the separator between them, one closing
// brace. Reading order whatever the Reverse option: both settings give the
// same document.
TEST_F(Clipboard, RichTextCopyAndThreeAppendsMakeOneDocument) {
  std::string expected = kHeader + DayBody(ScenarioDay(0));
  for (int32_t k = 1; k < 4; ++k) expected += kSeparator + DayBody(ScenarioDay(k));
  expected += kEnd;
  // Every record reads in reading order: the text of the entries is the
  // stored text reversed, whatever the option.
  EXPECT_EQ(DayClipboardText(ScenarioDay(0), kUnicodeBase, true),
            DayClipboardText(ScenarioDay(0), kUnicodeBase, false));

  for (bool reverse : {true, false}) {
    SCOPED_TRACE(reverse ? "Reverse on" : "Reverse off");
    ASSERT_NO_FATAL_FAILURE(StartOn(ScenarioDay(0), kUnicodeBase, reverse));
    ASSERT_NO_FATAL_FAILURE(Command(kCommandCopy));
    ASSERT_NO_FATAL_FAILURE(ExpectOnly(RichTextFormat(), kHeader + DayBody(ScenarioDay(0)) + kEnd));
    for (int32_t k = 1; k < 4; ++k) {
      ASSERT_NO_FATAL_FAILURE(Command(kCommandNextDay));
      ASSERT_NO_FATAL_FAILURE(Command(kCommandAppend));
    }
    ASSERT_NO_FATAL_FAILURE(ExpectOnly(RichTextFormat(), expected));
    ClipboardView view = ReadClipboard(owner_, RichTextFormat());
    ASSERT_TRUE(WriteArtifact(reverse ? L"days-reverse-on.rtf" : L"days-reverse-off.rtf", view.Data));
    ASSERT_NO_FATAL_FAILURE(Close());
  }
  std::string tsv = CliTsv(ScenarioDay(0), 4);
  std::string days = CliDays(ScenarioDay(0), 4);
  ASSERT_FALSE(tsv.empty());
  ASSERT_FALSE(days.empty());
  ASSERT_TRUE(WriteArtifact(L"days.tsv", tsv));
  ASSERT_TRUE(WriteArtifact(L"days.txt", days));
}

// With code base 224 or 97 Copy puts Unicode text alone, and Append puts the
// next day's text directly behind it, with no separator.
TEST_F(Clipboard, PlainTextCopyAndAppend) {
  for (int32_t base : {kCodePageBase, kLetterBase}) {
    for (bool reverse : {true, false}) {
      SCOPED_TRACE(std::to_string(base) + (reverse ? " Reverse on" : " Reverse off"));
      const std::u16string first = DayClipboardText(ScenarioDay(0), base, reverse);
      const std::u16string second = DayClipboardText(ScenarioDay(1), base, reverse);
      ASSERT_FALSE(first.empty());
      ASSERT_NO_FATAL_FAILURE(StartOn(ScenarioDay(0), base, reverse));
      ASSERT_NO_FATAL_FAILURE(Command(kCommandCopy));
      ASSERT_NO_FATAL_FAILURE(ExpectOnly(CF_UNICODETEXT, Bytes(first)));
      EXPECT_FALSE(ReadClipboard(owner_, RichTextFormat()).Has);
      ASSERT_NO_FATAL_FAILURE(Command(kCommandNextDay));
      ASSERT_NO_FATAL_FAILURE(Command(kCommandAppend));
      ASSERT_NO_FATAL_FAILURE(ExpectOnly(CF_UNICODETEXT, Bytes(first + second)));
      // A Copy replaces what the Appends collected.
      ASSERT_NO_FATAL_FAILURE(Command(kCommandCopy));
      ASSERT_NO_FATAL_FAILURE(ExpectOnly(CF_UNICODETEXT, Bytes(second)));
      ASSERT_NO_FATAL_FAILURE(Close());
    }
  }
}

// Append against what other programs left: each case has a defined result,
// and the program carries on.
TEST_F(Clipboard, AppendToForeignData) {
  const AbsoluteDay day = ScenarioDay(0);
  const std::string body = DayBody(day);
  const std::string fresh = kHeader + body + kEnd;

  // A foreign document of several megabytes, with escapes, nested groups and
  // braces inside binary data.
  std::string big = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\uc1 ";
  const std::string line = "{\\b text \\'e9 \\u1488? \\{not a group\\} {\\i nested}}\\par\r\n";
  while (big.size() < 5u * 1024 * 1024) big += line;
  big += "{\\*\\data\\bin4 }}}}}\\par}\r\n";

  struct Row {
    const char* what;
    UINT format;             // what the driver puts there (0: nothing)
    std::string old;         // its bytes
    std::string expected;    // the document afterwards
  };
  const UINT rtf = RichTextFormat();
  const Row rows[] = {
      {"several megabytes of a foreign document: reopened",
       rtf, big, big.substr(0, big.size() - 3) + kSeparator + kForeignReset + body + kEnd},
      {"no closing brace: replaced by a new document", rtf, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}} text", fresh},
      {"not Rich Text at all: replaced", rtf, "plain words, no document", fresh},
      {"one group closes early, text follows: replaced", rtf, "{\\rtf1 a}{\\b b}", fresh},
      {"binary data cut short: replaced", rtf, "{\\rtf1 \\bin999999 }", fresh},
      {"an empty block: a new document", rtf, std::string(), fresh},
      {"no terminator inside the block", rtf, "{\\rtf1 abc}", "{\\rtf1 abc" + kSeparator + kForeignReset + body + kEnd},
      {"nothing of the format: as Copy", 0, std::string(), fresh},
      {"Unicode text only: as Copy", CF_UNICODETEXT, Bytes(u"\u05D0\u05D1"), fresh},
  };
  ASSERT_NO_FATAL_FAILURE(StartOn(day, kUnicodeBase, true));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(PutClipboard(owner_, row.format, row.old));
    ASSERT_NO_FATAL_FAILURE(Command(kCommandAppend));
    ASSERT_NO_FATAL_FAILURE(ExpectOnly(rtf, row.expected));
  }
  ASSERT_NO_FATAL_FAILURE(Close());
}

// Plain-text Append behind Unicode text of odd sizes and without terminator,
// and behind ANSI text, which the system offers as Unicode text. The old text
// is what the clipboard offers of the block put there (Wine itself puts a
// terminator into the last whole unit of Unicode text); the new day follows
// it directly.
TEST_F(Clipboard, PlainAppendToForeignText) {
  const AbsoluteDay day = ScenarioDay(0);
  const std::string text = Bytes(DayClipboardText(day, kCodePageBase, true));
  struct Row {
    const char* what;
    UINT format;
    std::string old;
    std::string offered;  // the old text as the clipboard offers it
  };
  const Row rows[] = {
      {"odd byte count: the last byte dropped", CF_UNICODETEXT, std::string("A\0B\0C", 5), std::string("A\0B\0", 4)},
      {"no terminator: the block ends the text", CF_UNICODETEXT, std::string("A\0B\0C\0", 6), std::string()},
      {"a zero unit inside: cut there", CF_UNICODETEXT, std::string("A\0\0\0B\0\0\0", 8), std::string("A\0", 2)},
      {"one byte only: nothing kept", CF_UNICODETEXT, std::string("A", 1), std::string()},
      {"ANSI text offered as Unicode", CF_TEXT, std::string("abc\0", 4), std::string("a\0b\0c\0", 6)},
      {"Rich Text only: as Copy", RegisterClipboardFormatW(L"Rich Text Format"), "{\\rtf1 x}", std::string()},
  };
  ASSERT_NO_FATAL_FAILURE(StartOn(day, kCodePageBase, true));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(PutClipboard(owner_, row.format, row.old));
    const ClipboardView offered = ReadClipboard(owner_, CF_UNICODETEXT);
    // Where the system passes the block on unchanged, the old text is the
    // row's; without a terminator it is at most the whole block.
    if (row.offered.empty() && row.format == CF_UNICODETEXT) {
      EXPECT_LE(offered.Data.size(), row.old.size() & ~static_cast<size_t>(1));
    } else {
      EXPECT_EQ(offered.Data, row.offered);
    }
    ASSERT_NO_FATAL_FAILURE(Command(kCommandAppend));
    ASSERT_NO_FATAL_FAILURE(ExpectOnly(CF_UNICODETEXT, offered.Data + text));
  }
  ASSERT_NO_FATAL_FAILURE(Close());
}

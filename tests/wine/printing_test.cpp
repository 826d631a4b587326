// Printing driven as a user would: Print opens Page Setup, the driver
// confirms it (or cancels it), the program prints through Wine to the PDF
// printer of CUPS. The PDF itself is checked outside Wine by
// tests/wine/printing_check.sh, which runs each scenario with the files it
// leaves in ZELVAN_OUTPUT_ARTIFACTS: "expect" (what the PDF must show), and
// "days.txt" and "days.tsv" (the day's lessons from zelvan-cli).
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/output_scenario.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr wchar_t kPrintErrorCaption[] = L"Error Printing";
// The margin edits of the Page Setup dialog: left, top, right, bottom.
constexpr int kMarginEdits[4] = {0x0483, 0x0484, 0x0485, 0x0486};
constexpr DWORD kDialogLimit = 20000;
constexpr DWORD kPrintLimit = 60000;

// The four stored margins, or -1 each where missing.
struct StoredMargins {
  int64_t Left = -1;
  int64_t Top = -1;
  int64_t Right = -1;
  int64_t Bottom = -1;
};

StoredMargins ReadStoredMargins() {
  StoredMargins margins;
  uint32_t value = 0;
  if (StoredDword(L"PrintLeft", &value)) margins.Left = value;
  if (StoredDword(L"PrintTop", &value)) margins.Top = value;
  if (StoredDword(L"PrintRight", &value)) margins.Right = value;
  if (StoredDword(L"PrintBottom", &value)) margins.Bottom = value;
  return margins;
}

// The device name at the start of the stored "DevMode" value; empty if none.
std::wstring StoredDevModePrinter() {
  DWORD type = 0;
  std::string data;
  if (!GetRawValue(kProductKey, L"DevMode", &type, &data) || type != REG_BINARY) return std::wstring();
  std::wstring name;
  for (size_t i = 0; i + 1 < data.size() && i < 64; i += 2) {
    wchar_t unit = static_cast<wchar_t>(static_cast<uint8_t>(data[i]) | (static_cast<uint8_t>(data[i + 1]) << 8));
    if (unit == 0) break;
    name.push_back(unit);
  }
  return name;
}

class Printing : public ProgramTest {
 protected:
  // Posts Print (the command's dialog is modal: a send would not return) and
  // waits for Page Setup.
  HWND OpenPageSetup() {
    PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandPrint, 0), 0);
    // The system's dialog is known by its margin edits (its caption varies).
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
          dialog = FindOtherDialog(run_.ProcessId, nullptr);
          return dialog != nullptr;
        },
        kDialogLimit);
    const bool isSetup = dialog != nullptr && GetDlgItem(dialog, kMarginEdits[0]) != nullptr;
    EXPECT_TRUE(dialog == nullptr || isSetup) << "a dialog instead of Page Setup: \""
                                              << Narrow(WindowText(dialog)) << "\" / \""
                                              << Narrow(MessageBoxText(dialog)) << "\"";
    return isSetup ? dialog : nullptr;
  }

  // The texts of the four margin edits of the dialog.
  std::wstring MarginTexts(HWND setup) {
    std::wstring texts;
    for (int id : kMarginEdits) texts += WindowText(GetDlgItem(setup, id)) + L"|";
    return texts;
  }

  // Types text into the margin edits as a user does: the text, then the focus
  // moving on, which is when the dialog takes a margin.
  void TypeMargins(HWND setup, const wchar_t* text) {
    for (int id : kMarginEdits) {
      HWND edit = GetDlgItem(setup, id);
      ASSERT_NE(edit, nullptr) << "margin edit " << id;
      SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
      SendMessageW(setup, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
      SendMessageW(setup, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
    }
  }

  // Confirms Page Setup and waits until the program has printed: it answers
  // again and shows no message. A message box found instead fails the test.
  void ConfirmAndPrint(HWND setup) {
    ASSERT_TRUE(PressDialogButton(setup, IDOK)) << "Page Setup stayed open";
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(run_.Window, WM_NULL, 0, 0, SMTO_BLOCK, kPrintLimit, &result), 0)
        << "the program did not come back from printing";
    HWND box = FindOtherDialog(run_.ProcessId, nullptr);
    ASSERT_EQ(box, nullptr) << "a message after printing: \"" << Narrow(MessageBoxText(box)) << "\"";
  }

  // Leaves what the PDF check needs: the expectations and the day's lessons.
  void LeaveExpectations(AbsoluteDay day, const std::string& expect) {
    ASSERT_TRUE(WriteArtifact(L"expect", expect));
    std::string tsv = CliTsv(day, 1);
    std::string days = CliDays(day, 1);
    ASSERT_FALSE(tsv.empty()) << "zelvan-cli gave no lessons";
    ASSERT_FALSE(days.empty()) << "zelvan-cli gave no lessons";
    ASSERT_TRUE(WriteArtifact(L"days.tsv", tsv));
    ASSERT_TRUE(WriteArtifact(L"days.txt", days));
  }

  // Starts on day at fontSize points and prints it through Page Setup as it opens.
  void StartAndPrint(AbsoluteDay day, int32_t fontSize) {
    StoreScenarioSettings(day, 0x5D0, fontSize, ReverseAsAFirstStartSetsIt() != 0);
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND setup = OpenPageSetup();
    ASSERT_NE(setup, nullptr) << "Page Setup did not open";
    ASSERT_NO_FATAL_FAILURE(ConfirmAndPrint(setup));
  }

  // Waits for the program's "Error Printing" message; a message of the
  // system's dialog shown before it is noted in *systemMessage and closed.
  HWND AfterSystemMessage(std::wstring* systemMessage) {
    for (int shown = 0; shown < 3; ++shown) {
      HWND box = nullptr;
      WaitUntil([&] { return (box = FindOtherDialog(run_.ProcessId, nullptr)) != nullptr; }, kDialogLimit);
      if (box == nullptr || WindowText(box) == kPrintErrorCaption) return box;
      *systemMessage = WindowText(box) + L": " + MessageBoxText(box);
      // Its button: OK, or No where it offers to add a printer.
      int button = GetDlgItem(box, IDOK) ? IDOK : (GetDlgItem(box, IDNO) ? IDNO : IDCANCEL);
      if (!PressDialogButton(box, button)) return nullptr;
    }
    return nullptr;
  }

  // True while the program answers and its main window is there.
  bool Alive() {
    DWORD_PTR result = 0;
    return IsWindow(run_.Window) &&
           SendMessageTimeoutW(run_.Window, WM_NULL, 0, 0, SMTO_BLOCK, kConditionLimit, &result) != 0;
  }
};

}  // namespace

// A day at a moderate size fits one page: header, text, footer " Page 1". The
// dialog offers one-inch margins in a fresh setting; they and the printer are
// stored once the job has started.
TEST_F(Printing, OneDayOnOnePage) {
  const AbsoluteDay day = ScenarioDay(0);
  StoreScenarioSettings(day, 0x5D0, 12, ReverseAsAFirstStartSetsIt() != 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND setup = OpenPageSetup();
  ASSERT_NE(setup, nullptr) << "Page Setup did not open";
  const std::wstring margins = MarginTexts(setup);
  EXPECT_EQ(ReadStoredMargins().Left, -1) << "nothing is stored before the job starts";
  ASSERT_NO_FATAL_FAILURE(ConfirmAndPrint(setup));
  const StoredMargins stored = ReadStoredMargins();
  EXPECT_EQ(stored.Left, 1000);
  EXPECT_EQ(stored.Top, 1000);
  EXPECT_EQ(stored.Right, 1000);
  EXPECT_EQ(stored.Bottom, 1000);
  EXPECT_EQ(StoredDevModePrinter(), L"PDF");
  std::string expect = "pages 1\nmargins 1000 1000 1000 1000\nreading-order-header 1\n";
  expect += "dialog-margins " + Narrow(margins) + "\n";
  ASSERT_NO_FATAL_FAILURE(LeaveExpectations(day, expect));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// In the dark mode (Windows' and the program's) the page is printed black on
// white all the same.
TEST_F(Printing, InTheDarkModeBlackOnWhite) {
  const AbsoluteDay day = ScenarioDay(2);
  PutDword(L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", L"AppsUseLightTheme", 0);
  PutDword(kProductKey, L"ColourMode", 2);
  ASSERT_NO_FATAL_FAILURE(StartAndPrint(day, 12));
  ASSERT_NO_FATAL_FAILURE(LeaveExpectations(day, "pages 1\nmargins 1000 1000 1000 1000\nreading-order-header 1\npaper white\n"));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// A large font takes several pages: every page has the header and its own
// page number, and the pages together hold the whole day once.
TEST_F(Printing, LargeFontOnSeveralPages) {
  const AbsoluteDay day = ScenarioDay(1);
  ASSERT_NO_FATAL_FAILURE(StartAndPrint(day, 48));
  ASSERT_NO_FATAL_FAILURE(LeaveExpectations(day, "pages several\nmargins 1000 1000 1000 1000\nreading-order-header 1\n"));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// In Hebrew the page number is "עמוד N", read from the right where the
// English one stands; the rest of the page is as in English.
TEST_F(Printing, HebrewPageNumber) {
  const AbsoluteDay day = ScenarioDay(7);
  PutDword(kProductKey, L"Language", 0x040D);
  ASSERT_NO_FATAL_FAILURE(StartAndPrint(day, 12));
  ASSERT_NO_FATAL_FAILURE(LeaveExpectations(
      day, "pages 1\nmargins 1000 1000 1000 1000\nreading-order-header 1\npage \u05E2\u05DE\u05D5\u05D3\n"));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// Narrow margins typed into the dialog: stored as thousandths of an inch and
// used for the page; the text area is wider than with one inch.
TEST_F(Printing, NarrowMarginsTypedIntoTheDialog) {
  const AbsoluteDay day = ScenarioDay(2);
  StoreScenarioSettings(day, 0x5D0, 12, ReverseAsAFirstStartSetsIt() != 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND setup = OpenPageSetup();
  ASSERT_NE(setup, nullptr) << "Page Setup did not open";
  // The dialog shows the one-inch margins in its own unit; a quarter of that.
  std::wstring oneInch = WindowText(GetDlgItem(setup, kMarginEdits[0]));
  const double value = wcstod(oneInch.c_str(), nullptr);
  ASSERT_GT(value, 0) << Narrow(oneInch);
  wchar_t quarter[32];
  swprintf(quarter, 32, L"%.2f", value / 4);
  ASSERT_NO_FATAL_FAILURE(TypeMargins(setup, quarter));
  ASSERT_NO_FATAL_FAILURE(ConfirmAndPrint(setup));
  const StoredMargins stored = ReadStoredMargins();
  EXPECT_NEAR(stored.Left, 250, 2);
  EXPECT_NEAR(stored.Top, 250, 2);
  EXPECT_NEAR(stored.Right, 250, 2);
  EXPECT_NEAR(stored.Bottom, 250, 2);
  char expect[160];
  snprintf(expect, sizeof expect, "pages 1\nmargins %lld %lld %lld %lld\nreading-order-header 1\n",
           static_cast<long long>(stored.Left), static_cast<long long>(stored.Top),
           static_cast<long long>(stored.Right), static_cast<long long>(stored.Bottom));
  ASSERT_NO_FATAL_FAILURE(LeaveExpectations(day, expect));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// A second Print, in a second run of the program: the dialog shows the stored
// margins, and the stored printer is used even when the system's default
// printer has changed meanwhile (the check finds both jobs on "PDF").
TEST_F(Printing, SecondPrintBringsBackMarginsAndPrinter) {
  const AbsoluteDay day = ScenarioDay(3);
  StoreScenarioSettings(day, 0x5D0, 12, ReverseAsAFirstStartSetsIt() != 0);
  PutDword(kProductKey, L"PrintLeft", 500);
  PutDword(kProductKey, L"PrintTop", 750);
  PutDword(kProductKey, L"PrintRight", 500);
  PutDword(kProductKey, L"PrintBottom", 750);
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND setup = OpenPageSetup();
  ASSERT_NE(setup, nullptr) << "Page Setup did not open";
  const std::wstring first = MarginTexts(setup);
  ASSERT_NO_FATAL_FAILURE(ConfirmAndPrint(setup));
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_EQ(StoredDevModePrinter(), L"PDF");

  // Another printer becomes the default, when there is one.
  const bool otherDefault = SetDefaultPrinterW(L"PDF-Second") != 0;
  ASSERT_NO_FATAL_FAILURE(Start());
  setup = OpenPageSetup();
  ASSERT_NE(setup, nullptr) << "Page Setup did not open the second time";
  EXPECT_EQ(MarginTexts(setup), first) << "the stored margins come back";
  ASSERT_NO_FATAL_FAILURE(ConfirmAndPrint(setup));
  const StoredMargins stored = ReadStoredMargins();
  EXPECT_EQ(stored.Left, 500);
  EXPECT_EQ(stored.Top, 750);
  EXPECT_EQ(stored.Right, 500);
  EXPECT_EQ(stored.Bottom, 750);
  EXPECT_EQ(StoredDevModePrinter(), L"PDF");
  ASSERT_NO_FATAL_FAILURE(Close());
  std::string expect = "pages 1\njobs 2\nmargins 500 750 500 750\nreading-order-header 1\n";
  expect += otherDefault ? "printer PDF\n" : "";
  ASSERT_NO_FATAL_FAILURE(LeaveExpectations(day, expect));
  if (otherDefault) SetDefaultPrinterW(L"PDF");
}

// Page Setup's margins count from the paper's edge: on a printer with an
// unprintable border (printing_check.sh adds "PDF-Border", whose PPD declares
// a smaller imageable area) one-inch margins still print one inch from the
// edge, as the check measures on the PDF page.
TEST_F(Printing, OneInchFromTheEdgeOnABorderedPrinter) {
  ASSERT_TRUE(SetDefaultPrinterW(L"PDF-Border")) << "no printer \"PDF-Border\"";
  const AbsoluteDay day = ScenarioDay(8);
  ASSERT_NO_FATAL_FAILURE(StartAndPrint(day, 12));
  EXPECT_EQ(StoredDevModePrinter(), L"PDF-Border");
  ASSERT_NO_FATAL_FAILURE(Close());
  SetDefaultPrinterW(L"PDF");
  ASSERT_NO_FATAL_FAILURE(LeaveExpectations(
      day, "pages 1\nmargins 1000 1000 1000 1000\nreading-order-header 1\nprinter PDF-Border\n"));
}

// Cancel is the user's choice: no message, nothing printed, nothing stored.
TEST_F(Printing, CancelShowsNoMessageAndPrintsNothing) {
  const AbsoluteDay day = ScenarioDay(4);
  StoreScenarioSettings(day, 0x5D0, 12, ReverseAsAFirstStartSetsIt() != 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND setup = OpenPageSetup();
  ASSERT_NE(setup, nullptr) << "Page Setup did not open";
  ASSERT_TRUE(PressDialogButton(setup, IDCANCEL));
  ASSERT_TRUE(Alive());
  // Any message would have been shown by now: the command has returned.
  EXPECT_EQ(FindOtherDialog(run_.ProcessId, nullptr), nullptr) << "a cancel shows no message";
  EXPECT_EQ(ReadStoredMargins().Left, -1);
  EXPECT_FALSE(HasValue(kProductKey, L"DevMode"));
  ASSERT_TRUE(WriteArtifact(L"expect", "jobs 0\n"));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// Stored values that no run could have written: a "DevMode" that is not a
// device mode and absurd margins. The dialog opens with the defaults and the
// printer; the job prints and stores sound values.
TEST_F(Printing, DamagedStoredSettingsGiveTheDefaults) {
  const AbsoluteDay day = ScenarioDay(5);
  StoreScenarioSettings(day, 0x5D0, 12, ReverseAsAFirstStartSetsIt() != 0);
  const char junk[] = "not a device mode at all, just some bytes";
  PutRawValue(kProductKey, L"DevMode", REG_BINARY, junk, sizeof junk);
  PutDword(kProductKey, L"PrintLeft", 0xFFFFFFFFu);
  PutDword(kProductKey, L"PrintTop", 999999999u);
  PutString(kProductKey, L"PrintRight", L"12345678901234567890");
  PutDword(kProductKey, L"PrintBottom", 1000);
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND setup = OpenPageSetup();
  ASSERT_NE(setup, nullptr) << "Page Setup did not open";
  const std::wstring margins = MarginTexts(setup);
  const std::wstring oneInch = WindowText(GetDlgItem(setup, kMarginEdits[3]));
  EXPECT_EQ(margins, oneInch + L"|" + oneInch + L"|" + oneInch + L"|" + oneInch + L"|");
  ASSERT_NO_FATAL_FAILURE(ConfirmAndPrint(setup));
  const StoredMargins stored = ReadStoredMargins();
  EXPECT_EQ(stored.Left, 1000);
  EXPECT_EQ(stored.Top, 1000);
  EXPECT_EQ(stored.Right, 1000);
  EXPECT_EQ(stored.Bottom, 1000);
  EXPECT_EQ(StoredDevModePrinter(), L"PDF");
  ASSERT_NO_FATAL_FAILURE(LeaveExpectations(day, "pages 1\nmargins 1000 1000 1000 1000\nreading-order-header 1\n"));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// Margins that leave no room for a line: nothing is printed (the job is
// cancelled, no empty page comes out) and the user is told so; the margins
// were stored when the job started, so the next Page Setup shows them.
TEST_F(Printing, MarginsLeavingNoRoomGiveAMessage) {
  const AbsoluteDay day = ScenarioDay(7);
  StoreScenarioSettings(day, 0x5D0, 12, ReverseAsAFirstStartSetsIt() != 0);
  PutDword(kProductKey, L"PrintTop", 6000);
  PutDword(kProductKey, L"PrintBottom", 6000);
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND setup = OpenPageSetup();
  ASSERT_NE(setup, nullptr) << "Page Setup did not open";
  ASSERT_TRUE(PressDialogButton(setup, IDOK)) << "Page Setup stayed open";
  std::wstring systemMessage;
  HWND box = AfterSystemMessage(&systemMessage);
  ASSERT_NE(box, nullptr) << "no \"Error Printing\" message";
  EXPECT_EQ(MessageBoxText(box), L"The text does not fit on the page.");
  EXPECT_EQ(systemMessage, L"");
  ASSERT_TRUE(PressDialogButton(box, IDOK));
  ASSERT_TRUE(Alive());
  EXPECT_EQ(ReadStoredMargins().Top, 6000);
  ASSERT_TRUE(WriteArtifact(L"expect", "jobs 0\n"));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// Run with the print scheduler out of reach (printing_check.sh sets
// CUPS_SERVER to a closed port): Page Setup cannot start, the "Error Printing"
// message names the failure, and the program carries on.
TEST_F(Printing, NoPrinterGivesTheFailureMessage) {
  const AbsoluteDay day = ScenarioDay(6);
  StoreScenarioSettings(day, 0x5D0, 12, ReverseAsAFirstStartSetsIt() != 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandPrint, 0), 0);
  // The system's dialog may first say itself that there is no printer.
  std::wstring systemMessage;
  HWND box = AfterSystemMessage(&systemMessage);
  ASSERT_NE(box, nullptr) << "no \"Error Printing\" message";
  const std::wstring text = MessageBoxText(box);
  EXPECT_TRUE(text == L"No Default Printer" || text == L"Printer Not Found" ||
              text == L"No Printer Drivers Were Found" || text == L"Unknown Error")
      << Narrow(text);
  ASSERT_TRUE(PressDialogButton(box, IDOK));
  ASSERT_TRUE(Alive());
  EXPECT_EQ(ReadStoredMargins().Left, -1);
  EXPECT_FALSE(HasValue(kProductKey, L"DevMode"));
  // The program goes on as before: a day command and a second Print.
  SendCommand(run_.Window, kCommandNextDay);
  PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandPrint, 0), 0);
  box = AfterSystemMessage(&systemMessage);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(PressDialogButton(box, IDOK));
  ASSERT_TRUE(Alive());
  ASSERT_TRUE(WriteArtifact(L"expect", "jobs 0\nmessage " + Narrow(text) + "\nsystem-message " +
                                          Narrow(systemMessage) + "\n"));
  ASSERT_NO_FATAL_FAILURE(Close());
}

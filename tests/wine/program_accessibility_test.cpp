// The main window read as a screen reader reads it: the accessible object of
// its client area from another process (AccessibleObjectFromWindow), its
// name, value, role, state and children, checked against zelvan-cli and
// against the clipboard's copy of the same day; the events of a new day
// (SetWinEventHook), and none for scrolling or Reverse.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/rtf_document.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/output_scenario.h"

namespace {

constexpr int32_t kUnicodeBase = 0x5D0;

// The events the hook has seen from the program: event, window, object.
struct SeenEvent {
  DWORD Event;
  HWND Window;
  LONG Object;
};
std::vector<SeenEvent> Seen;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
  Seen.push_back({event, window, object});
}

// True once the hook saw event for the client area of window.
bool SawClientEvent(DWORD event, HWND window) {
  for (const SeenEvent& seen : Seen) {
    if (seen.Event == event && seen.Window == window && seen.Object == OBJID_CLIENT) return true;
  }
  return false;
}

// UTF-16 of UTF-8 text.
std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    &wide[0], static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n : 0);
  return wide;
}

// The lines of zelvan-cli's report of one day.
std::vector<std::wstring> ReportLines(AbsoluteDay day) {
  std::vector<std::wstring> lines;
  const std::wstring report = Wide(CliDays(day, 1));
  size_t at = 0;
  for (size_t end; (end = report.find(L'\n', at)) != std::wstring::npos; at = end + 1) {
    lines.push_back(report.substr(at, end - at));
  }
  return lines;
}

// The text after "label: " on the line that starts with it.
std::wstring Field(const std::vector<std::wstring>& lines, const std::wstring& label) {
  for (const std::wstring& line : lines) {
    if (line.compare(0, label.size() + 2, label + L": ") == 0) return line.substr(label.size() + 2);
  }
  return L"";
}

// One element of an accessible object as a screen reader reads it.
struct Element {
  std::wstring Name;
  std::wstring Value;
  LONG Role = 0;
  LONG State = 0;
};

Element Read(IAccessible* object, LONG child) {
  Element element;
  VARIANT id;
  id.vt = VT_I4;
  id.lVal = child;
  BSTR text = nullptr;
  if (object->get_accName(id, &text) == S_OK && text) element.Name = text;
  SysFreeString(text);
  text = nullptr;
  if (object->get_accValue(id, &text) == S_OK && text) element.Value = text;
  SysFreeString(text);
  VARIANT result;
  VariantInit(&result);
  if (object->get_accRole(id, &result) == S_OK && result.vt == VT_I4) element.Role = result.lVal;
  VariantInit(&result);
  if (object->get_accState(id, &result) == S_OK && result.vt == VT_I4) element.State = result.lVal;
  return element;
}

class Accessibility : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    owner_ = OpenDriverWindow(L"screen reader");
  }
  void TearDown() override {
    if (object_) object_->Release();
    if (hook_) UnhookWinEvent(hook_);
    if (owner_) DestroyWindow(owner_);
    ProgramTest::TearDown();
    CoUninitialize();
  }

  // The day as read from the client object must be what zelvan-cli says of
  // day, and its value the text of a Copy of it.
  void ExpectReads(AbsoluteDay day, const wchar_t* gregorian) {
    const std::vector<std::wstring> report = ReportLines(day);
    ASSERT_GE(report.size(), 7u) << "zelvan-cli could not be run";
    const std::wstring hebrew = Field(report, L"Hebrew date");
    const Element whole = Read(object_, CHILDID_SELF);
    EXPECT_EQ(whole.Name, Field(report, L"Weekday") + L", " + gregorian + L", " + hebrew);
    const std::u16string copied = DayClipboardText(day, kUnicodeBase, false);
    EXPECT_TRUE(whole.Value == std::wstring(copied.begin(), copied.end()))
        << "the value is not the text of a Copy";
    EXPECT_EQ(whole.Role, ROLE_SYSTEM_DOCUMENT);
    EXPECT_EQ(whole.State & (STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE),
              STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE);
    // The three lessons in the order of the text, as "heading: lesson"
    // (the last three lines of the report), then the date band.
    long children = 0;
    ASSERT_EQ(object_->get_accChildCount(&children), S_OK);
    ASSERT_EQ(children, 4);
    for (LONG k = 1; k <= 3; ++k) {
      const Element lesson = Read(object_, k);
      EXPECT_EQ(lesson.Name + L": " + lesson.Value, report[report.size() - 4 + k]) << "lesson " << k;
      EXPECT_EQ(lesson.Role, ROLE_SYSTEM_TEXT);
    }
    const Element band = Read(object_, 4);
    EXPECT_EQ(band.Name, hebrew);
    EXPECT_EQ(band.Role, ROLE_SYSTEM_STATICTEXT);
  }

  IAccessible* object_ = nullptr;
  HWINEVENTHOOK hook_ = nullptr;
  HWND owner_ = nullptr;
};

}  // namespace

// A screen reader finds the day, hears of Next day, and hears nothing of
// scrolling or Reverse, which change nothing that is read.
TEST_F(Accessibility, ScreenReaderReadsTheDayAndHearsItChange) {
  StoreScenarioSettings(ScenarioDay(0), kUnicodeBase, 12, false);
  StorePlacement(0, 0, 360, 300, SW_SHOWNORMAL);  // small enough to scroll
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_EQ(AccessibleObjectFromWindow(run_.Window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&object_)),
            S_OK);
  ASSERT_NO_FATAL_FAILURE(ExpectReads(ScenarioDay(0), L"1 January 2025"));

  // The value holds the words of the clipboard's copy of the day.
  SendCommand(run_.Window, kCommandCopy);
  const ClipboardView copy = ReadClipboard(owner_, RegisterClipboardFormatW(L"Rich Text Format"));
  const std::wstring value = Read(object_, CHILDID_SELF).Value;
  const std::u16string units(value.begin(), value.end());
  EXPECT_TRUE(copy.Data == std::string(kRtfHeader, kRtfHeaderLength) + RichTextBody(units) +
                               std::string(kRtfDocumentEnd, kRtfDocumentEndLength))
      << "the clipboard's copy is not the value's text";

  hook_ = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, RecordEvent,
                          run_.ProcessId, 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook_, nullptr);
  // Scrolling and Reverse: the same text, and nothing to announce.
  SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_EQ(TopRow(), 1) << "the day must scroll in this window";
  SendCommand(run_.Window, kCommandReverse);
  PumpMessages(500);
  EXPECT_TRUE(Seen.empty()) << Seen.size() << " events";
  EXPECT_TRUE(Read(object_, CHILDID_SELF).Value == value);

  // Next day: both events, and the next day is read.
  SendCommand(run_.Window, kCommandNextDay);
  EXPECT_TRUE(WaitUntil([&] { return SawClientEvent(EVENT_OBJECT_VALUECHANGE, run_.Window); },
                        kConditionLimit))
      << "no value-change event";
  EXPECT_TRUE(SawClientEvent(EVENT_OBJECT_NAMECHANGE, run_.Window));
  ASSERT_NO_FATAL_FAILURE(ExpectReads(ScenarioDay(1), L"2 January 2025"));
  object_->Release();
  object_ = nullptr;
  ASSERT_NO_FATAL_FAILURE(Close());
}

// A hostile registry: values of the wrong type, out of range or inconsistent
// with each other. Every row is one run on settings made only of its values:
// the program must start, show a day, and end saving sane values.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "calendar/calendar_range.h"
#include "lessons/lesson_schedule.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr uint32_t kSomeDay = 739958;

using HostileRegistry = ProgramTest;

bool PutText(const wchar_t* name, const std::wstring& text) {
  return PutString(kProductKey, name, text);
}

bool PutBytes(const wchar_t* name, DWORD type, const std::string& bytes) {
  return PutRawValue(kProductKey, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool PutNumber(const wchar_t* name, uint32_t value) { return PutDword(kProductKey, name, value); }

struct Row {
  const char* what;
  std::function<void()> store;  // the settings before the start (FontName comes first)
  // Checks of this row after the end; the common checks run for every row.
  std::function<void()> check;
};

}  // namespace

TEST_F(HostileRegistry, TheProgramStartsShowsADayAndSavesSaneValues) {
  const std::wstring longName(500, L'x');
  const Row rows[] = {
      {"Flags written as a string of letters", [] { PutText(L"Flags", L"hello"); }, nullptr},
      {"Flags written as the decimal text of the default",
       [] { PutText(L"Flags", L"3507748928"); },
       [] {
         uint32_t flags = 0;
         EXPECT_TRUE(StoredDword(L"Flags", &flags)) << "written back as a REG_DWORD";
         EXPECT_EQ(flags, kDefaultFlags);
       }},
      {"Flags as a binary value of three bytes", [] { PutBytes(L"Flags", REG_BINARY, "\x01\x02\x03"); }, nullptr},
      {"LastPosition 70000 on the stored day",
       [] {
         PutNumber(L"Day", kSomeDay);
         PutNumber(L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(kSomeDay)));
         PutNumber(L"Flags", kDefaultFlags | kFixedDayBit);
         PutNumber(L"LastPosition", 70000);
         StorePlacement(0, 0, 200, 240, SW_SHOWNORMAL);
       },
       nullptr},
      {"Day, Lesson, FontSize and FontAsciiBase of the wrong types",
       [] {
         PutText(L"Day", L"abc");
         PutBytes(L"Lesson", REG_BINARY, std::string("\x01\x02\x03\x04", 4));
         PutBytes(L"FontSize", REG_MULTI_SZ, std::string("1\0" "2\0\0\0\0\0", 8));
         PutBytes(L"FontAsciiBase", REG_QWORD, std::string("\xD0\x05\0\0\0\0\0\0", 8));
         PutText(L"LastPosition", L"");
       },
       nullptr},
      {"a negative SurroundingGutter",
       [] { PutDword(kVendorKey, L"SurroundingGutter", static_cast<uint32_t>(-20)); }, nullptr},
      {"a SurroundingGutter written as the text -5",
       [] { PutString(kVendorKey, L"SurroundingGutter", L"-5"); }, nullptr},
      {"a huge SurroundingGutter", [] { PutDword(kVendorKey, L"SurroundingGutter", 100000); }, nullptr},
      {"a 500-character FontName",
       [&] { PutText(L"FontName", longName); },
       [&] {
         std::wstring name;
         ASSERT_TRUE(StoredString(L"FontName", &name));
         EXPECT_EQ(name, longName.substr(0, 31)) << "cut to its first 31 characters";
       }},
      {"a FontName of binary bytes without a terminating zero",
       [] { PutBytes(L"FontName", REG_BINARY, "\x41\x00\x42"); }, nullptr},
      {"a day beyond the calendar with the fixed-day bit",
       [] {
         PutNumber(L"Day", 0x7FFFFFFF);
         PutNumber(L"Flags", kDefaultFlags | kFixedDayBit);
       },
       [this] {
         uint32_t day = 0, flags = 0;
         ASSERT_TRUE(StoredDword(L"Day", &day));
         ASSERT_TRUE(StoredDword(L"Flags", &flags));
         EXPECT_TRUE(IsTodayPlus(day, 0)) << "today instead";
         EXPECT_EQ(flags & kFixedDayBit, 0u);
       }},
      {"the fixed-day bit without a Day",
       [] { PutNumber(L"Flags", kDefaultFlags | kFixedDayBit); },
       [this] {
         uint32_t day = 0;
         ASSERT_TRUE(StoredDword(L"Day", &day));
         EXPECT_TRUE(IsTodayPlus(day, 0)) << "today instead";
       }},
      {"a fixed day without its Lesson",
       [] {
         PutNumber(L"Day", kSomeDay);
         PutNumber(L"Flags", kDefaultFlags | kFixedDayBit);
       },
       [] {
         uint32_t day = 0;
         ASSERT_TRUE(StoredDword(L"Day", &day));
         EXPECT_EQ(day, kSomeDay) << "the fixed day stays";
       }},
      {"today's day with the Lesson of another day",
       [this] {
         PutNumber(L"Day", static_cast<uint32_t>(TodayAbsolute()));
         PutNumber(L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(TodayAbsolute() + 5)));
       },
       nullptr},
      {"a Lesson beyond the cycle on a fixed day",
       [] {
         PutNumber(L"Day", kSomeDay);
         PutNumber(L"Flags", kDefaultFlags | kFixedDayBit);
         PutNumber(L"Lesson", 5000);
       },
       nullptr},
      {"a huge FontSize", [] { PutNumber(L"FontSize", 100000); }, nullptr},
      {"a negative FontSize", [] { PutNumber(L"FontSize", static_cast<uint32_t>(-40)); }, nullptr},
      {"a code base beyond the characters", [] { PutNumber(L"FontAsciiBase", 0x7FFFFFF0); }, nullptr},
      {"a showCmd that would hide the window", [] { PutText(L"showCmd", L"0"); }, nullptr},
      {"a window stored at an absurd DPI",
       [] { StorePlacement(10, 10, 300, 300, SW_SHOWNORMAL); PutNumber(L"PlacementDpi", 1); },
       [] { uint32_t width = 0; EXPECT_TRUE(StoredDword(L"Width", &width) && width == 300) << width; }},
  };

  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ClearSettingsKeys();
    StoreTestFont();
    row.store();
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(IsWindowVisible(run_.Window));
    EXPECT_TRUE(ShowsADay()) << "no day shown";
    const int32_t top = TopRow();
    const int32_t max = MaxTopRow();
    ASSERT_NO_FATAL_FAILURE(Close());

    // Sane values: the integers as REG_DWORD, a supported day with its own
    // lesson day, the row that was shown, a face name that fits.
    uint32_t day = 0, lesson = 0, flags = 0, position = 0;
    ASSERT_TRUE(StoredDword(L"Flags", &flags));
    ASSERT_TRUE(StoredDword(L"Day", &day));
    EXPECT_TRUE(IsSupportedDay(static_cast<AbsoluteDay>(day))) << day;
    ASSERT_TRUE(StoredDword(L"Lesson", &lesson));
    EXPECT_EQ(lesson, static_cast<uint32_t>(LessonDayFromAbsolute(static_cast<AbsoluteDay>(day))));
    ASSERT_TRUE(StoredDword(L"LastPosition", &position));
    if (top >= 0) {
      EXPECT_EQ(position, static_cast<uint32_t>(top));
      EXPECT_LE(top, max);
    }
    std::wstring name;
    if (StoredString(L"FontName", &name)) {
      EXPECT_LE(name.size(), 31u);
    }
    if (row.check) row.check();
  }
}

// A stored margin above the largest (200 pixels) is taken as the largest, not
// as the default 10: the text starts 200 pixels below the toolbar.
TEST_F(HostileRegistry, AHugeGutterIsTakenAsTheLargest) {
  StoreTestFont();
  PutDword(kVendorKey, L"SurroundingGutter", 100000);
  StorePlacement(0, 0, 800, 700, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  Picture client;
  ASSERT_TRUE(CaptureClient(run_.Window, &client));
  RECT toolbar = {};
  GetWindowRect(FindWindowExW(run_.Window, nullptr, L"ToolbarWindow32", nullptr), &toolbar);
  const int32_t text = toolbar.bottom - toolbar.top + 195;
  EXPECT_EQ(CountPixels(client, RECT{0, text - 195, client.Width, text}, IsHeadingBlue), 0);
  EXPECT_GT(CountPixels(client, RECT{0, text, client.Width, client.Height}, IsHeadingBlue), 20);
  ASSERT_NO_FATAL_FAILURE(Close());
}

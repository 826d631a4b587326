// Common ground of the clipboard and printing scenarios: fixed days, the
// settings a scenario starts with, files left for the checks made outside
// Wine (Writer, pdftotext), and the reference text of zelvan-cli.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "calendar/hebrew_calendar.h"

// Command ids of the output commands.
constexpr WORD kCommandCopy = 40007;
constexpr WORD kCommandPrint = 40008;
constexpr WORD kCommandAppend = 40009;

// The scenarios' first day, 1 January 2025, plus offset days.
AbsoluteDay ScenarioDay(int32_t offset);

// The lesson day of day (LessonDayFromAbsolute).
int32_t LessonDayOf(AbsoluteDay day);

// The settings of a start on day (kept fixed) with the test font at fontSize
// points, code base codeBase and the Reverse option on or off.
void StoreScenarioSettings(AbsoluteDay day, int32_t codeBase, int32_t fontSize, bool reverse);

// The directory, in Windows form, named by ZELVAN_OUTPUT_ARTIFACTS (a Unix
// path), where a scenario leaves files for the checks made outside Wine;
// empty when the variable is not set.
std::wstring ArtifactsDir();

// Writes bytes to the file name in ArtifactsDir(); true when written, or
// when there is no such directory (nothing to leave).
bool WriteArtifact(const wchar_t* name, const std::string& bytes);

// zelvan-cli --tsv --days count from day: one UTF-8 line per day in reading
// order. Empty when the tool could not be run.
std::string CliTsv(AbsoluteDay day, int32_t count);

// zelvan-cli --days count from day: each day's dates and its three lessons
// as "heading: lesson" lines, UTF-8 in reading order. Empty on failure.
std::string CliDays(AbsoluteDay day, int32_t count);

// The day's text as the clipboard gets it: LessonText of day to UTF-16 with
// codeBase and the Reverse option as App would have them. Empty if the day's
// text cannot be built. Leaves App as it found it.
std::u16string DayClipboardText(AbsoluteDay day, int32_t codeBase, bool reverse);

// The Rich Text body of a UTF-16 text, as the clipboard document holds it.
std::string RichTextBody(const std::u16string& text);

// Text of the static control of a message box (its message), or empty.
std::wstring MessageBoxText(HWND box);

// Presses the button id of dialog as a click does, and waits for the dialog
// to go. False if it stayed.
bool PressDialogButton(HWND dialog, int id);

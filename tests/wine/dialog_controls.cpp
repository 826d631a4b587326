#include "tests/wine/dialog_controls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwctype>

#include "tests/wine/driver/program_driver.h"

namespace {

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += (c < 0x80) ? static_cast<char>(c) : '?';
  return out;
}

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (towlower(a[i]) != towlower(b[i])) return false;
  }
  return true;
}

}  // namespace

HWND OpenDialogByCommand(HWND window, DWORD processId, WORD id, const wchar_t* caption) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return WaitForDialog(processId, caption, kConditionLimit);
}

void ClickDialogButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitUntilClosed(HWND dialog) {
  return WaitUntil([&] { return !IsWindow(dialog); }, kConditionLimit);
}

bool WaitUntilServed(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kConditionLimit, &result) != 0;
}

std::vector<std::wstring> ListEntries(HWND list) {
  std::vector<std::wstring> entries;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    if (length < 0) break;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    entries.push_back(text);
  }
  return entries;
}

std::wstring SelectedEntry(HWND list) {
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return std::wstring();
  const std::vector<std::wstring> entries = ListEntries(list);
  return static_cast<size_t>(index) < entries.size() ? entries[index] : std::wstring();
}

bool ChooseListEntry(HWND dialog, int listId, const std::wstring& text) {
  HWND list = GetDlgItem(dialog, listId);
  const std::vector<std::wstring> entries = ListEntries(list);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!SameIgnoringCase(entries[i], text)) continue;
    SendMessageW(list, LB_SETCURSEL, i, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
  }
  return false;
}

bool IsButtonChecked(HWND dialog, int id) {
  return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ExpectControls(HWND dialog, int clientWidth, int clientHeight,
                    const std::vector<ControlTemplate>& controls) {
  RECT client = {};
  GetClientRect(dialog, &client);
  const double unitX = static_cast<double>(client.right) / clientWidth;
  const double unitY = static_cast<double>(client.bottom) / clientHeight;
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  ASSERT_EQ(children.size(), controls.size());
  for (size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& expected = controls[i];
    HWND child = children[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected.Id));
    EXPECT_EQ(static_cast<int>(static_cast<WORD>(GetDlgCtrlID(child))), expected.Id & 0xFFFF);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    EXPECT_TRUE(SameIgnoringCase(className, expected.Class)) << Narrow(className);
    if (expected.Text != nullptr) {
      EXPECT_EQ(Narrow(WindowText(child)), Narrow(expected.Text));
    }
    DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    // The dialog manager draws a control's border as a sunken client edge.
    if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) style |= WS_BORDER;
    EXPECT_EQ(style & expected.Styles, expected.Styles) << std::hex << style;
    EXPECT_EQ(style & expected.TypeMask, expected.Styles & expected.TypeMask) << std::hex << style;
    // Groups and tab stops decide the keyboard order: exactly as laid out,
    // except that a radio button takes the tab stop while it is checked.
    DWORD exact = WS_GROUP | WS_TABSTOP;
    const DWORD type = expected.Styles & 0xF;
    if (SameIgnoringCase(className, L"Button") &&
        (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)) {
      exact = WS_GROUP;
    }
    EXPECT_EQ(style & exact, expected.Styles & exact) << std::hex << style;
    RECT box = {};
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_NEAR(box.left / unitX, expected.X, 1.0);
    EXPECT_NEAR(box.top / unitY, expected.Y, 1.0);
    if (expected.Width != 0) {
      EXPECT_NEAR((box.right - box.left) / unitX, expected.Width, 1.0);
      EXPECT_NEAR((box.bottom - box.top) / unitY, expected.Height, 1.0);
    }
  }
}

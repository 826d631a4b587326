// Every English menu, accelerator table, dialog and string table of zelvan.exe
// has a Hebrew twin with the same ids, controls and keys, each text translated
// with its "%1" markers, and Hebrew mnemonics that do not clash; the version
// resource has a Hebrew block.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/wine/driver/program_driver.h"

namespace {

constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kHebrew = MAKELANGID(LANG_HEBREW, SUBLANG_DEFAULT);

HMODULE Program() {
  static HMODULE module = LoadLibraryExW(WindowsPath(ZELVAN_PROGRAM_EXE).c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  return module;
}

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
  reinterpret_cast<std::vector<WORD>*>(ids)->push_back(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

// The ids of the program's resources of type.
std::vector<WORD> Ids(const wchar_t* type) {
  std::vector<WORD> ids;
  EnumResourceNamesW(Program(), type, CollectId, reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}

// The resource's words in language; empty when it has none.
std::vector<WORD> Words(const wchar_t* type, WORD id, WORD language) {
  HRSRC found = FindResourceExW(Program(), type, MAKEINTRESOURCEW(id), language);
  if (found == nullptr) return {};
  const auto* data = static_cast<const WORD*>(LockResource(LoadResource(Program(), found)));
  return std::vector<WORD>(data, data + SizeofResource(Program(), found) / 2);
}

// A text's "%1".."%9" markers, and whether its mnemonic (the character after
// '&', "&&" aside) is usable: a letter or digit, one only.
std::string Markers(const std::wstring& text) {
  std::string markers;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == L'%' && text[i + 1] >= L'1' && text[i + 1] <= L'9') markers += char(text[i + 1]);
  }
  return markers;
}
wchar_t Mnemonic(const std::wstring& text) {
  const size_t at = text.find(L'&');
  return at == std::wstring::npos || at + 1 >= text.size() ? 0 : text[at + 1];
}

// One control, item or entry as the twins must share it, and its text.
struct Element {
  std::wstring Shape;
  std::wstring Text;
};

// Walks a menu template (MENUITEMTEMPLATE entries after the 4-byte header).
void ReadMenu(const std::vector<WORD>& words, size_t* at, std::vector<Element>* out) {
  for (WORD flags = 0; *at < words.size() && !(flags & MF_END);) {
    flags = words[(*at)++];
    std::wstring shape = std::to_wstring(flags & ~MF_END);
    if (!(flags & MF_POPUP)) shape += L"#" + std::to_wstring(words[(*at)++]);
    std::wstring text;
    while (words[*at] != 0) text += static_cast<wchar_t>(words[(*at)++]);
    ++*at;
    const size_t tab = text.find(L'\b');
    if (tab != std::wstring::npos) shape += L" " + text.substr(tab);  // the shortcut text
    out->push_back({shape, text.substr(0, tab)});
    if (flags & MF_POPUP) {
      out->push_back({L"(", L""});
      ReadMenu(words, at, out);
      out->push_back({L")", L""});
    }
  }
}

// A string or an ordinal of a dialog template, moving at past it.
std::wstring Field(const std::vector<WORD>& words, size_t* at) {
  if (words[*at] == 0xFFFF) {
    *at += 2;
    return L"#" + std::to_wstring(words[*at - 1]);
  }
  std::wstring text;
  while (words[*at] != 0) text += static_cast<wchar_t>(words[(*at)++]);
  ++*at;
  return text;
}
DWORD Dword(const std::vector<WORD>& words, size_t at) { return words[at] | DWORD{words[at + 1]} << 16; }

// A dialog template (DIALOG or DIALOGEX): its styles (without the mirroring)
// and each control's id, class and styles (without the reading order, which a
// Hebrew text may set); sizes may differ.
std::vector<Element> ReadDialog(const std::vector<WORD>& words, bool* mirrored) {
  const bool ex = words[0] == 1 && words[1] == 0xFFFF;
  size_t at = ex ? 4 : 0;
  const DWORD style = Dword(words, ex ? at + 2 : at);
  DWORD extended = Dword(words, ex ? at : at + 2);
  *mirrored = (extended & WS_EX_LAYOUTRTL) != 0;
  extended &= ~DWORD{WS_EX_LAYOUTRTL};
  const WORD count = words[at + 4];
  at += 9;
  std::vector<Element> out = {{std::to_wstring(style) + L"/" + std::to_wstring(extended), L""}};
  Field(words, &at);  // menu
  Field(words, &at);  // class
  out.push_back({L"caption", Field(words, &at)});
  if (style & DS_SETFONT) {
    at += ex ? 3 : 1;  // the point size (and weight, italic and character set)
    Field(words, &at);
  }
  for (WORD item = 0; item < count; ++item) {
    at = (at + 1) & ~size_t{1};  // DWORD aligned
    const DWORD itemStyle = Dword(words, ex ? at + 4 : at);
    const DWORD itemExtended = Dword(words, at + 2) & ~DWORD{WS_EX_RTLREADING};
    at += ex ? 10 : 8;
    const DWORD id = ex ? Dword(words, at) : words[at];
    at += ex ? 2 : 1;
    std::wstring shape = std::to_wstring(id) + L" " + Field(words, &at) + L" " +
                         std::to_wstring(itemStyle) + L"/" + std::to_wstring(itemExtended);
    out.push_back({shape, Field(words, &at)});
    at += 1 + words[at] / 2;
  }
  return out;
}

// The 16 entries of a string block.
std::vector<Element> ReadStrings(const std::vector<WORD>& words) {
  std::vector<Element> out;
  for (size_t at = 0; at < words.size(); at += 1 + words[at]) {
    out.push_back({L"", std::wstring(words.begin() + at + 1, words.begin() + at + 1 + words[at])});
  }
  return out;
}

// The twins agree element by element; the Hebrew one has a text where the
// English one has one, with its markers, and a mnemonic where it has one, on
// a character of its own within each menu or dialog.
void ExpectTwins(const std::vector<Element>& english, const std::vector<Element>& hebrew,
                 const std::string& what) {
  ASSERT_EQ(english.size(), hebrew.size()) << what;
  std::vector<std::set<wchar_t>> mnemonics(1);
  for (size_t i = 0; i < english.size(); ++i) {
    const std::wstring& text = hebrew[i].Text;
    const std::string where = what + " element " + std::to_string(i);
    EXPECT_EQ(english[i].Shape, hebrew[i].Shape) << where;
    EXPECT_EQ(english[i].Text.empty(), text.empty()) << where;
    EXPECT_EQ(Markers(english[i].Text), Markers(text)) << where;
    if (english[i].Shape == L"(") mnemonics.emplace_back();
    if (english[i].Shape == L")") mnemonics.pop_back();
    const wchar_t mnemonic = Mnemonic(text);
    EXPECT_EQ(Mnemonic(english[i].Text) != 0, mnemonic != 0) << where;
    if (mnemonic == 0) continue;
    EXPECT_TRUE(IsCharAlphaNumericW(mnemonic)) << where;
    EXPECT_TRUE(mnemonics.back().insert(static_cast<wchar_t>(towlower(mnemonic))).second)
        << where << ": a mnemonic used twice";
  }
}

// Each English resource of type has a Hebrew twin and no other language.
template <typename Read>
void ExpectTwinsOfType(const wchar_t* type, const char* name, Read read) {
  const std::vector<WORD> ids = Ids(type);
  EXPECT_FALSE(ids.empty()) << name;
  for (WORD id : ids) {
    const std::vector<WORD> english = Words(type, id, kEnglish);
    const std::vector<WORD> hebrew = Words(type, id, kHebrew);
    const std::string what = std::string(name) + " " + std::to_string(id);
    ASSERT_FALSE(english.empty()) << what << " has no English block";
    ASSERT_FALSE(hebrew.empty()) << what << " has no Hebrew twin";
    read(english, hebrew, what);
  }
}

TEST(ResourceTwins, EveryEnglishResourceHasAHebrewTwin) {
  ASSERT_NE(Program(), nullptr);
  ExpectTwinsOfType(RT_MENU, "menu", [](const auto& english, const auto& hebrew, const std::string& what) {
    std::vector<Element> items[2];
    size_t at = 2;
    ReadMenu(english, &at, &items[0]);
    at = 2;
    ReadMenu(hebrew, &at, &items[1]);
    ExpectTwins(items[0], items[1], what);
  });
  ExpectTwinsOfType(RT_DIALOG, "dialog", [](const auto& english, const auto& hebrew, const std::string& what) {
    bool mirrored[2] = {};
    ExpectTwins(ReadDialog(english, &mirrored[0]), ReadDialog(hebrew, &mirrored[1]), what);
    EXPECT_FALSE(mirrored[0]) << what;
    EXPECT_TRUE(mirrored[1]) << what << ": a Hebrew dialog is laid out from the right";
  });
  ExpectTwinsOfType(RT_STRING, "string block", [](const auto& english, const auto& hebrew, const std::string& what) {
    ExpectTwins(ReadStrings(english), ReadStrings(hebrew), what);
  });
  ExpectTwinsOfType(RT_ACCELERATOR, "accelerators", [](const auto& english, const auto& hebrew, const std::string& what) {
    EXPECT_EQ(english, hebrew) << what << ": the same keys";
  });

  const std::wstring path = WindowsPath(ZELVAN_PROGRAM_EXE);
  std::vector<BYTE> version(GetFileVersionInfoSizeW(path.c_str(), nullptr));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  for (const wchar_t* value : {L"CompanyName", L"FileDescription", L"FileVersion", L"ProductName"}) {
    for (const wchar_t* block : {L"040904B0", L"040D04B0"}) {
      const std::wstring name = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + value;
      void* text = nullptr;
      UINT length = 0;
      EXPECT_TRUE(VerQueryValueW(version.data(), name.c_str(), &text, &length) && length > 1)
          << std::string(name.begin(), name.end());
    }
  }
}

}  // namespace

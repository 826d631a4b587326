// The style-font cache of a LessonView and the date band's font (GDI).
#include "view/view_fonts.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "common/app_state.h"
#include "common/dpi.h"
#include "lessons/text_stream.h"
#include "view/colour_scheme.h"
#include "view/text_device.h"

namespace {

constexpr LONG kDateBandHeight = 14;  // cell height in pixels at 96 DPI
constexpr size_t kFaceChars = sizeof(FontSettings::FontName) / sizeof(WideChar);

// Face of a LOGFONTW: the given name when not empty, else no face and the Hebrew charset.
void SetFace(LOGFONTW* font, const WideChar* face) {
  if (face[0] != 0) {
    wcsncpy(font->lfFaceName, face, LF_FACESIZE - 1);
    font->lfFaceName[LF_FACESIZE - 1] = 0;
  } else {
    font->lfCharSet = HEBREW_CHARSET;
  }
}

// The cache entry of key in view, or null.
StyleFontEntry* FindStyleFont(const LessonView* view, uint16_t key) {
  for (StyleFontEntry* entry = view->Fonts; entry; entry = entry->Next) {
    if (entry->Key == key) return entry;
  }
  return nullptr;
}

// Cell height at dpi of the font mapper's default height for font (the height
// of a font asked for with height 0 on dc, taken as pixels at 96 DPI).
LONG DefaultCellHeight(HDC dc, LOGFONTW font, int32_t dpi) {
  font.lfHeight = 0;
  HFONT probe = CreateFontIndirectW(&font);
  if (probe == nullptr) return 0;
  HGDIOBJ previous = SelectObject(dc, probe);
  TEXTMETRICW metrics = {};
  const bool measured = GetTextMetricsW(dc, &metrics) != 0;
  SelectObject(dc, previous);
  DeleteObject(probe);
  return measured ? ScaleToDpi(metrics.tmHeight, dpi) : 0;
}

}  // namespace

int32_t StyleFontPoints(uint32_t key, int32_t pointSize) {
  int64_t s = pointSize;
  int64_t h = s;
  if (key & kRecordLarge) {
    h = s == 0 ? 20 : s * 5 / 4;
  } else if (key & kRecordSmall) {
    h = s == 0 ? 14 : s * 6 / 8;
  } else if (key & kStylePrint) {
    h = 8;
  }
  // Symmetric int32 range, so that the pixel height can always be negated.
  if (h > INT32_MAX) h = INT32_MAX;
  if (h < -INT32_MAX) h = -INT32_MAX;
  return static_cast<int32_t>(h);
}

void CreateStyleFont(LessonView* view, StyleFontEntry* entry, uint32_t key) {
  LOGFONTW font = {};
  SetFace(&font, view->Font.FontName);
  font.lfWeight = (key & kRecordBold) ? FW_BOLD : FW_NORMAL;
  int32_t points = StyleFontPoints(key, view->Font.FontSize);
  // A window's view follows the window's DPI; a printer's view its own resolution.
  const int32_t dpi = view->Dpi > 0 ? view->Dpi : GetDeviceCaps(view->Dc, LOGPIXELSY);
  // MulDiv gives -1 on overflow: an absurd size ends as a 1-unit cell height.
  font.lfHeight = -MulDiv(points, dpi, 72);
  // Without a size the font mapper's default height, which is given in
  // pixels: on a window at another DPI than 96 it is scaled as well.
  if (points == 0 && view->Dpi > 0 && view->Dpi != kDefaultDpi) {
    font.lfHeight = DefaultCellHeight(view->Dc, font, view->Dpi);
  }
  entry->Font = CreateFontIndirectW(&font);
}

void* SelectStyle(LessonView* view, uint32_t request) {
  if (!view) return nullptr;
  HDC dc = view->Dc;
  uint16_t key = static_cast<uint16_t>(request & kStyleKeyMask);
  StyleFontEntry* entry = FindStyleFont(view, key);
  if (!entry) {
    entry = static_cast<StyleFontEntry*>(calloc(1, sizeof(StyleFontEntry)));
    if (entry) {
      entry->Key = key;
      entry->Next = view->Fonts;
      view->Fonts = entry;
      CreateStyleFont(view, entry, key);
    }
  }
  if (request & kStyleSetColour) {
    SetTextColor(dc, RoleColour(dc, IsHeadingStyle(key) ? ColourRole::Heading : ColourRole::Ink));
  }
  // Without a font nothing changes in the DC; the current font is handed
  // back so that the caller's restore still puts the right one back.
  if (!entry || !entry->Font) return GetCurrentObject(dc, OBJ_FONT);
  return SelectObject(dc, entry->Font);
}

void RestoreFont(DcHandle dc, void* previous) {
  if (dc && previous) SelectObject(dc, static_cast<HGDIOBJ>(previous));
}

void ReadFontMetrics(DcHandle dc, FontMetrics* out) {
  TEXTMETRICW metrics = {};
  if (dc && GetTextMetricsW(dc, &metrics)) {
    out->Height = metrics.tmHeight;
    out->MaxCharWidth = metrics.tmMaxCharWidth;
  } else {
    out->Height = 0;
    out->MaxCharWidth = 0;
  }
}

int32_t ResetStyleFonts(LessonView* view, const FontSettings* settings) {
  if (!view) return -1;
  if (settings) {
    view->Font = *settings;
    view->Font.FontName[kFaceChars - 1] = 0;
    for (StyleFontEntry* entry = view->Fonts; entry; entry = entry->Next) {
      if (entry->Font) DeleteObject(entry->Font);
      entry->Font = nullptr;
      CreateStyleFont(view, entry, entry->Key);
    }
    return 0;
  }
  StyleFontEntry* entry = view->Fonts;
  while (entry) {
    StyleFontEntry* next = entry->Next;
    if (entry->Font) DeleteObject(entry->Font);
    free(entry);
    entry = next;
  }
  view->Fonts = nullptr;
  return 0;
}

void CreateDateBandFont() {
  LOGFONTW font = {};
  font.lfHeight = ScaleToDpi(kDateBandHeight, App.Dpi);
  font.lfWeight = FW_NORMAL;
  WideChar face[kFaceChars];
  wcsncpy(face, App.Font.FontName, kFaceChars - 1);
  face[kFaceChars - 1] = 0;
  SetFace(&font, face);
  if (App.DateBandFont) DeleteObject(App.DateBandFont);
  App.DateBandFont = CreateFontIndirectW(&font);
}

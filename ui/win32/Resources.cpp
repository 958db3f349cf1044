#include "Resources.h"

#include <cmath>
#include <string_view>

#include "Text.h"
#include "ui/Fonts.h"

namespace sorato::win32 {

namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool faceInstalled(const std::wstring& face) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &lf, faceFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// Whether a font draws kana and kanji with glyphs of its own.
bool hasJapaneseGlyphs(const LOGFONTW& lf) {
  HFONT font = CreateFontIndirectW(&lf);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  WORD glyphs[2] = {};
  const DWORD n = GetGlyphIndicesW(screen, L"\u3042\u6f22", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return n == 2 && glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
}

}  // namespace

COLORREF colorref(Colour c) {
  const Colour plain = resolveSystemColour(c);
  return RGB(plain.red(), plain.green(), plain.blue());
}

Resources::~Resources() {
  for (auto& [key, font] : fonts_) DeleteObject(font.handle);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  for (auto& [dpi, font] : tipFonts_) DeleteObject(font);
}

const Resources::Font& Resources::font(const Control& c, int dpi) {
  const auto key = std::make_tuple(c.FontName.get(), c.FontSize.get(), c.FontBold.get(), dpi);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  std::wstring face;
  for (std::string_view candidate : fonts::faceList(c.FontName.get())) {
    if (faceInstalled(wide(candidate))) {
      face = wide(candidate);
      break;
    }
  }
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(c.FontSize * dpi / 72.0));
  lf.lfWeight = c.FontBold ? FW_BOLD : FW_NORMAL;
  // Where none of the faces is installed: the system's own Japanese face.
  lf.lfCharSet = face.empty() ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  // The face drawn with may be a stand-in asked for by name, or one the system put in
  // the place of the face asked for (as wine does).
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(screen, &tm);
  wchar_t used[LF_FACESIZE] = {};
  GetTextFaceW(screen, LF_FACESIZE, used);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  const std::wstring family = used;
  int extra = 0;
  if (fonts::narrowed(narrow(face)) || fonts::narrowed(narrow(family))) {
    DeleteObject(font);
    lf.lfWidth = static_cast<LONG>(std::lround(tm.tmAveCharWidth * fonts::kStandInWidth));
    font = CreateFontIndirectW(&lf);
    extra = static_cast<int>(std::lround(-lf.lfHeight * fonts::kStandInSpacing));
  }
  return fonts_[key] = {font, face.empty() ? family : face, extra};
}

COLORREF Resources::rgb(Colour colour) const {
  if (highContrast_ && colour.isSystem()) return GetSysColor(static_cast<int>(colour.value & 0xFF));
  return colorref(colour);
}

HBRUSH Resources::brush(Colour colour) {
  const COLORREF plain = rgb(colour);
  auto& brush = brushes_[plain];
  if (brush == nullptr) brush = CreateSolidBrush(plain);
  return brush;
}

HFONT Resources::tipFont(int dpi) {
  if (auto it = tipFonts_.find(dpi); it != tipFonts_.end()) return it->second;
  using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = reinterpret_cast<ForDpiFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (forDpi == nullptr ||
      !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  }
  LOGFONTW lf = metrics.lfStatusFont;  // the font Windows gives tooltips
  if (!hasJapaneseGlyphs(lf)) {
    lf.lfCharSet = DEFAULT_CHARSET;
    for (std::string_view candidate : fonts::faceList(fonts::kUiGothic)) {
      if (faceInstalled(wide(candidate))) {
        wcsncpy(lf.lfFaceName, wide(candidate).c_str(), LF_FACESIZE - 1);
        break;
      }
    }
  }
  return tipFonts_[dpi] = CreateFontIndirectW(&lf);
}

}  // namespace sorato::win32

#include "Painting.h"

#include "Text.h"
#include "ui/Contrast.h"
#include "ui/Layout.h"
#include "ui/LineBreak.h"

namespace sorato::win32 {

RECT placeOf(const Control& c, int dpi) {
  const PixelRect r = pixelRectInParent(c, dpi, dpi);
  return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
}

std::vector<std::wstring> labelLines(const Control& label, Resources& resources, int dpi) {
  const Resources::Font& font = resources.font(label, dpi);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font.handle);
  SetTextCharacterExtra(screen, font.extra);
  const RECT r = placeOf(label, dpi);
  const int inner = (r.right - r.left) - 2 * borderWidth(label);
  auto measure = [&](std::u32string_view s) {
    const std::wstring w = wide(toUtf8(s));
    SIZE size{};
    GetTextExtentPoint32W(screen, w.c_str(), static_cast<int>(w.size()), &size);
    return static_cast<double>(size.cx);
  };
  std::vector<std::wstring> out;
  for (const std::u32string& line : breakLines(toUtf32(label.Caption.get()), inner, measure)) {
    out.push_back(wide(toUtf8(line)));
  }
  SetTextCharacterExtra(screen, 0);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return out;
}

namespace {

// A label as the game's labels look: its ground where it has one, its text broken into
// lines one em apart from the top, cut at its edges, and its border.
void paintLabel(Control& label, HDC dc, Resources& resources, int dpi) {
  const RECT r = placeOf(label, dpi);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  const DrawnColours colours = drawnColours(label, true, resources.highContrast());
  if (label.BackStyle == 1) FillRect(dc, &r, resources.brush(colours.ground));
  const int border = borderWidth(label);
  const Resources::Font& font = resources.font(label, dpi);
  SelectObject(dc, font.handle);
  SetTextCharacterExtra(dc, font.extra);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, resources.rgb(colours.text));
  int y = r.top + border;
  for (const std::wstring& line : labelLines(label, resources, dpi)) {
    SIZE size{};
    GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
    const int width = r.right - r.left - 2 * border;
    int x = r.left + border;
    if (textAlign(label) == TextAlign::Right) x += width - size.cx;
    if (textAlign(label) == TextAlign::Centre) x += (width - size.cx) / 2;
    TextOutW(dc, x, y, line.c_str(), static_cast<int>(line.size()));
    y += lineStep(label, dpi);
  }
  if (border != 0) FrameRect(dc, &r, resources.brush(colours.outline));
  RestoreDC(dc, saved);
}

// The shape: an outline only, as it lies above the word labels.
void paintShape(const Control& shape, HDC dc, Resources& resources, int dpi) {
  const RECT r = placeOf(shape, dpi);
  const Colour outline = drawnColours(shape, true, resources.highContrast()).outline;
  HPEN pen = CreatePen(dashedOutline(shape) ? PS_DASH : PS_SOLID, 1, resources.rgb(outline));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

}  // namespace

void paintContainer(const ControlModel& model, Control& c, HWND h, HDC dc, Resources& resources,
                    int dpi) {
  RECT client;
  GetClientRect(h, &client);
  const DrawnColours colours = drawnColours(c, true, resources.highContrast());
  FillRect(dc, &client, resources.brush(colours.ground));
  for (Control* child : model.stackingOrderOf(c)) {
    if (!model.isShown(*child)) continue;
    if (child->kind() == Kind::Label) paintLabel(*child, dc, resources, dpi);
    if (child->kind() == Kind::Shape) paintShape(*child, dc, resources, dpi);
  }
  if (c.kind() == Kind::Frame && borderWidth(c) == 1) {
    FrameRect(dc, &client, resources.brush(colours.outline));
  }
}

void drawButton(Control& c, const DRAWITEMSTRUCT& d, Resources& resources, int dpi) {
  RECT r = d.rcItem;
  const bool pushed = (d.itemState & ODS_SELECTED) != 0;
  const bool disabled = (d.itemState & ODS_DISABLED) != 0;
  const DrawnColours colours = drawnColours(c, !disabled, resources.highContrast());
  DrawFrameControl(d.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  RECT inside = r;
  InflateRect(&inside, -2, -2);
  FillRect(d.hDC, &inside, resources.brush(colours.ground));
  const std::wstring text = wide(c.Caption.get());
  HGDIOBJ old = SelectObject(d.hDC, resources.font(c, dpi).handle);
  SetBkMode(d.hDC, TRANSPARENT);
  RECT at = inside;
  if (pushed) OffsetRect(&at, 1, 1);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  if (disabled && !resources.highContrast()) {  // etched, as Windows draws it
    RECT etch = at;
    OffsetRect(&etch, 1, 1);
    SetTextColor(d.hDC, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &etch, format);
    SetTextColor(d.hDC, GetSysColor(COLOR_GRAYTEXT));
  } else {
    SetTextColor(d.hDC, resources.rgb(colours.text));
  }
  DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &at, format);
  SelectObject(d.hDC, old);
  if ((d.itemState & ODS_FOCUS) != 0) {
    RECT focusRect = r;
    InflateRect(&focusRect, -4, -4);
    DrawFocusRect(d.hDC, &focusRect);
  }
}

}  // namespace sorato::win32

#include "WindowBinding.h"

#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "ui/Fonts.h"
#include "ui/Layout.h"
#include "ui/LineBreak.h"

namespace sorato::win32 {

std::wstring wide(std::string_view s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string narrow(std::wstring_view s) {
  if (s.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

namespace {

constexpr wchar_t kFormClass[] = L"SoratoForm";
constexpr wchar_t kFrameClass[] = L"SoratoFrame";
constexpr UINT kDestroy = WM_APP + 2;  // ends the window once the handler that unloaded it is done

COLORREF colorref(Colour c) {
  const Colour plain = resolveSystemColour(c);
  return RGB(plain.red(), plain.green(), plain.blue());
}

// The screen's DPI for a window: per monitor where Windows knows it (Windows 10 1607 and
// later), else the system's.
int dpiOf(HWND h) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && h != nullptr) {
    if (const UINT dpi = getDpiForWindow(h)) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

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

bool registerClasses() {
  for (const wchar_t* name : {kFormClass, kFrameClass}) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window, once its binding is known
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
  }
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  return true;
}

// The word of the display and the question are live regions: Windows' screen readers
// read their new text as it comes (Windows 8 and later; elsewhere the name change alone).
void markLive(HWND h) {
  static const GUID kLiveSetting = {
      0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
  static const CLSID kAccPropServices = {
      0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
  static const IID kIAccPropServices = {
      0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
  IAccPropServices* props = nullptr;
  if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                              reinterpret_cast<void**>(&props)))) {
    return;
  }
  VARIANT polite;
  VariantInit(&polite);
  polite.vt = VT_I4;
  polite.lVal = 1;
  props->SetHwndProp(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSetting, polite);
  props->Release();
}

// The keys the model acts on, by Windows' virtual-key code.
Key keyOf(WPARAM vk) {
  switch (vk) {
    case VK_TAB: return GetKeyState(VK_SHIFT) < 0 ? Key::BackTab : Key::Tab;
    case VK_RETURN: return Key::Return;
    case VK_SPACE: return Key::Space;
    case VK_LEFT: return Key::Left;
    case VK_UP: return Key::Up;
    case VK_RIGHT: return Key::Right;
    case VK_DOWN: return Key::Down;
    default: return Key::Other;
  }
}

// A button counts every click: the second press of a double-click is a press like any
// other (it draws the button pushed, and a release off the button cancels it), where a
// BUTTON of its own would send BN_DOUBLECLICKED instead of a click.
// And it notes that it has the focus, for the window to give it back.
LRESULT CALLBACK buttonProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR lastFocus) {
  switch (m) {
    case WM_LBUTTONDBLCLK: return DefSubclassProc(h, WM_LBUTTONDOWN, w, l);
    case WM_SETFOCUS: *reinterpret_cast<HWND*>(lastFocus) = h; break;
    case WM_NCDESTROY: RemoveWindowSubclass(h, &buttonProc, 1); break;
    default: break;
  }
  return DefSubclassProc(h, m, w, l);
}

}  // namespace

WindowBinding::WindowBinding(ControlModel& model) : Mirror(model) {
  static const bool registered = registerClasses();
  (void)registered;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  for (Control* c : model_.all()) create(*c);
  dpi_ = dpiOf(window());
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, window(), nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 480);
  makeTipFont();
  for (Control* c : model_.all()) {
    for (int i = 0; i < kPropCount; ++i) {
      if (c->has(static_cast<Prop>(i))) apply(*c, static_cast<Prop>(i));
    }
    if (model_.announcesChanges(*c)) markLive(handleOf(*c));
  }
  for (Control* c : model_.all()) {
    if (c->kind() == Kind::Form || c->kind() == Kind::Frame) stack(*c);
  }
  model_.addObserver(this);
}

WindowBinding::~WindowBinding() {
  model_.removeObserver(this);
  if (IsWindow(window())) DestroyWindow(window());
  for (auto& [key, font] : fonts_) DeleteObject(font.handle);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  if (tipFont_ != nullptr) DeleteObject(tipFont_);
  CoUninitialize();
}

Control* WindowBinding::controlOf(HWND h) const {
  if (h == nullptr) return nullptr;
  for (Control* c : model_.all()) {
    if (handleOf(*c) == h) return c;
  }
  return nullptr;
}

void WindowBinding::create(Control& c) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND parent = c.container() != nullptr ? handleOf(*c.container()) : nullptr;
  // Place, text and the rest come from the model once every window exists.
  const wchar_t* text = L"";
  HWND handle = nullptr;
  switch (c.kind()) {
    case Kind::Form:
      handle = CreateWindowExW(0, kFormClass, text, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
      break;
    case Kind::Frame:
      handle = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, text, WS_CHILD | WS_CLIPSIBLINGS,
                               0, 0, 0, 0, parent, nullptr, instance, nullptr);
      break;
    case Kind::Label:
      handle =
          CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_CLIPSIBLINGS | SS_OWNERDRAW | SS_NOTIFY,
                          0, 0, 0, 0, parent, nullptr, instance, nullptr);
      SetWindowSubclass(handle, &WindowBinding::labelProc, 1, reinterpret_cast<DWORD_PTR>(this));
      break;
    case Kind::CommandButton:
      handle = CreateWindowExW(0, L"BUTTON", text,
                               WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0,
                               parent, nullptr, instance, nullptr);
      break;
    case Kind::OptionButton:
      handle = CreateWindowExW(0, L"BUTTON", text,
                               WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_RADIOBUTTON, 0, 0, 0, 0,
                               parent, nullptr, instance, nullptr);
      break;
    case Kind::Timer:
    case Kind::Shape: return;  // drawn by its container, or never
  }
  if (c.kind() == Kind::CommandButton || c.kind() == Kind::OptionButton) {
    SetWindowSubclass(handle, &buttonProc, 1, reinterpret_cast<DWORD_PTR>(&lastFocus_));
  }
  if (c.kind() == Kind::Form || c.kind() == Kind::Frame) {
    SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(handle, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(&WindowBinding::containerProc));
  }
  handles_[index(c)] = handle;
}

RECT WindowBinding::pixelRect(const Control& c) const {
  int inset = 0;  // children count from within a frame's border
  if (const Control* in = c.container(); in != nullptr && in->kind() == Kind::Frame) {
    inset = in->BorderStyle == 1 ? 1 : 0;
  }
  const PixelRect r = sorato::pixelRect(c, dpi_, dpi_);
  return RECT{inset + r.left, inset + r.top, inset + r.left + r.width, inset + r.top + r.height};
}

void WindowBinding::apply(Control& c, Prop p) {
  HWND h = handleOf(c);
  switch (aspectOf(p)) {
    case Aspect::Text:
      if (h != nullptr) SetWindowTextW(h, wide(c.Caption.get()).c_str());
      if (c.kind() == Kind::Label) {
        redrawUnder(c);
        // (the name change itself Windows reports for every window's new text)
        if (model_.announcesChanges(c)) {
          NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, h, OBJID_CLIENT, CHILDID_SELF);
        }
      } else if (h != nullptr && c.kind() != Kind::Form) {
        InvalidateRect(h, nullptr, TRUE);
      }
      break;
    case Aspect::ToolTip: setToolTip(c); break;
    case Aspect::Visible:
      if (h != nullptr && c.kind() != Kind::Form) ShowWindow(h, c.Visible ? SW_SHOWNA : SW_HIDE);
      if (c.kind() == Kind::Label || c.kind() == Kind::Shape) redrawUnder(c);
      break;
    case Aspect::Enabled:
      // A disabled frame takes no input and its children keep their look.
      if (h != nullptr) EnableWindow(h, c.Enabled ? TRUE : FALSE);
      break;
    case Aspect::Value:
      SendMessageW(h, BM_SETCHECK, c.Value ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Aspect::Look:
    case Aspect::Alignment:
      if (c.kind() == Kind::Label || c.kind() == Kind::Shape) {
        redrawUnder(c);
      } else if (h != nullptr) {
        InvalidateRect(h, nullptr, TRUE);
      }
      break;
    case Aspect::Place: place(c); break;
    case Aspect::Font:
      if (h != nullptr && c.kind() != Kind::Label)
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(c)), TRUE);
      if (c.kind() == Kind::Label) redrawUnder(c);
      break;
    case Aspect::None: break;
  }
}

// Where a label or the shape stands changes: its container paints that part again, and
// every control over it.
void WindowBinding::redrawUnder(Control& c) {
  if (c.container() == nullptr) return;
  HWND parent = handleOf(*c.container());
  RECT r = pixelRect(c);
  InflateRect(&r, 1, 1);
  RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void WindowBinding::place(Control& c) {
  HWND h = handleOf(c);
  if (c.kind() == Kind::Form) {
    SetWindowPos(h, nullptr, 0, 0, twipsToPixels(c.Width, dpi_), twipsToPixels(c.Height, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  if (c.kind() == Kind::Label || c.kind() == Kind::Shape) {
    // The old place is painted again once the window has moved (it is invalid till then).
    if (c.container() != nullptr)
      RedrawWindow(handleOf(*c.container()), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  if (h == nullptr) return;
  const RECT r = pixelRect(c);
  SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowBinding::placeAll() {
  for (Control* c : model_.all()) {
    if (c->has(Prop::Left) || c->kind() == Kind::Form) place(*c);
    if (c->has(Prop::FontName)) apply(*c, Prop::FontName);
  }
  RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The model's stacking order, bottom first: each one put on top in turn.
void WindowBinding::stack(Control& container) {
  for (Control* c : model_.stackingOrderOf(container)) {
    if (HWND h = handleOf(*c)) {
      SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void WindowBinding::setToolTip(Control& c) {
  HWND h = handleOf(c);
  if (h == nullptr || tips_ == nullptr) return;
  std::wstring text = wide(c.ToolTipText.get());
  TTTOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(h);
  ti.uId = reinterpret_cast<UINT_PTR>(h);
  ti.lpszText = text.data();
  const bool added = !tipped_.insert(h).second;
  SendMessageW(tips_, added ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

// One font for every tooltip: the system's, where it has Japanese glyphs; else the
// window's Japanese face at the size of the system's.
void WindowBinding::makeTipFont() {
  using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = reinterpret_cast<ForDpiFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (forDpi == nullptr ||
      !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi_))) {
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
  if (tipFont_ != nullptr) DeleteObject(tipFont_);
  tipFont_ = CreateFontIndirectW(&lf);
  SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(tipFont_), FALSE);
}

HFONT WindowBinding::fontOf(const Control& c) {
  const auto key = std::make_tuple(c.FontName.get(), c.FontSize.get(), c.FontBold.get(), dpi_);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second.handle;
  std::wstring face;
  int extra = 0;
  for (std::string_view candidate : fonts::faceList(c.FontName.get())) {
    if (faceInstalled(wide(candidate))) {
      face = wide(candidate);
      break;
    }
  }
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(c.FontSize * dpi_ / 72.0));
  lf.lfWeight = c.FontBold ? FW_BOLD : FW_NORMAL;
  // Where none of the faces is installed: the system's own Japanese face.
  lf.lfCharSet = face.empty() ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  // IPA Gothic, standing in for the faces the window was laid out for (asked for by name,
  // or put in their place by the system, as wine does), sets its kana wider than they
  // do: at 95 % width every caption that fit there fits here.
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(screen, &tm);
  wchar_t used[LF_FACESIZE] = {};
  GetTextFaceW(screen, LF_FACESIZE, used);
  OUTLINETEXTMETRICW otm{};
  otm.otmSize = sizeof otm;
  std::wstring family = used;
  if (GetOutlineTextMetricsW(screen, sizeof otm, &otm) == 0) otm.otmpFamilyName = nullptr;
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  const auto& ipa = fonts::kIpaGothic;
  if (std::any_of(ipa.begin(), ipa.end(),
                  [&](std::string_view f) { return wide(f) == face || wide(f) == family; })) {
    DeleteObject(font);
    lf.lfWidth = static_cast<LONG>(std::lround(tm.tmAveCharWidth * 0.95));
    font = CreateFontIndirectW(&lf);
    extra = -static_cast<int>(std::lround(-lf.lfHeight * 0.05));  // as the page's letter spacing
  }
  face = face.empty() ? family : face;
  fonts_[key] = {font, face, extra};
  return font;
}

const WindowBinding::Font& WindowBinding::fontInfo(const Control& c) {
  fontOf(c);
  return fonts_[std::make_tuple(c.FontName.get(), c.FontSize.get(), c.FontBold.get(), dpi_)];
}

std::wstring WindowBinding::faceOf(const Control& c) {
  return fontInfo(c).face;
}

HBRUSH WindowBinding::brushOf(Colour colour) {
  const COLORREF rgb = colorref(colour);
  auto& brush = brushes_[rgb];
  if (brush == nullptr) brush = CreateSolidBrush(rgb);
  return brush;
}

std::vector<std::wstring> WindowBinding::labelLines(const Control& label) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, fontOf(label));
  SetTextCharacterExtra(screen, fontInfo(label).extra);
  const RECT r = pixelRect(label);
  const int inner = (r.right - r.left) - (label.BorderStyle == 1 ? 2 : 0);
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

// A label as the game's labels look: its ground where it has one, its text broken into
// lines one em apart from the top, cut at its edges, and its border.
void WindowBinding::paintLabel(Control& label, HDC dc) {
  const RECT r = pixelRect(label);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  if (label.BackStyle == 1) FillRect(dc, &r, brushOf(label.BackColor));
  const int border = label.BorderStyle == 1 ? 1 : 0;
  SelectObject(dc, fontOf(label));
  SetTextCharacterExtra(dc, fontInfo(label).extra);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colorref(label.ForeColor));
  const int em = static_cast<int>(std::lround(label.FontSize * dpi_ / 72.0));
  int y = r.top + border;
  for (const std::wstring& line : labelLines(label)) {
    SIZE size{};
    GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
    const int width = r.right - r.left - 2 * border;
    int x = r.left + border;
    if (label.Alignment == 1) x += width - size.cx;
    if (label.Alignment == 2) x += (width - size.cx) / 2;
    TextOutW(dc, x, y, line.c_str(), static_cast<int>(line.size()));
    y += em;
  }
  if (border != 0) FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RestoreDC(dc, saved);
}

void WindowBinding::paintContainer(Control& c, HDC dc) {
  RECT client;
  GetClientRect(handleOf(c), &client);
  FillRect(dc, &client, brushOf(c.BackColor));
  for (Control* child : model_.stackingOrderOf(c)) {
    if (!model_.isShown(*child)) continue;
    if (child->kind() == Kind::Label) paintLabel(*child, dc);
    if (child->kind() == Kind::Shape) {  // an outline only, dashed for style 2
      const RECT r = pixelRect(*child);
      HPEN pen =
          CreatePen(child->BorderStyle == 2 ? PS_DASH : PS_SOLID, 1, colorref(child->BorderColor));
      HGDIOBJ oldPen = SelectObject(dc, pen);
      HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
      SetBkMode(dc, TRANSPARENT);
      Rectangle(dc, r.left, r.top, r.right, r.bottom);
      SelectObject(dc, oldBrush);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
    }
  }
  if (c.kind() == Kind::Frame && c.BorderStyle == 1) {
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
}

// A command button filled with its own colour, also when disabled (then only its
// caption greys), its caption centred on one line.
void WindowBinding::drawButton(Control& c, const DRAWITEMSTRUCT& d) {
  RECT r = d.rcItem;
  const bool pushed = (d.itemState & ODS_SELECTED) != 0;
  const bool disabled = (d.itemState & ODS_DISABLED) != 0;
  DrawFrameControl(d.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  RECT inside = r;
  InflateRect(&inside, -2, -2);
  FillRect(d.hDC, &inside, brushOf(c.BackColor));
  const std::wstring text = wide(c.Caption.get());
  HGDIOBJ old = SelectObject(d.hDC, fontOf(c));
  SetBkMode(d.hDC, TRANSPARENT);
  RECT at = inside;
  if (pushed) OffsetRect(&at, 1, 1);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  if (disabled) {
    RECT etch = at;
    OffsetRect(&etch, 1, 1);
    SetTextColor(d.hDC, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &etch, format);
    SetTextColor(d.hDC, GetSysColor(COLOR_GRAYTEXT));
  } else {
    SetTextColor(d.hDC, colorref(c.ForeColor));
  }
  DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &at, format);
  SelectObject(d.hDC, old);
  if ((d.itemState & ODS_FOCUS) != 0) {
    RECT focusRect = r;
    InflateRect(&focusRect, -4, -4);
    DrawFocusRect(d.hDC, &focusRect);
  }
}

void WindowBinding::pressed(Control& label, UINT message, WPARAM keys, LPARAM at) {
  mouse::Button button = mouse::Button::Left;
  if (message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK) button = mouse::Button::Right;
  if (message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK) button = mouse::Button::Middle;
  MouseArgs args;
  args.button = mouse::buttonMask(button);
  args.shift =
      mouse::keyMask((keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0);
  args.x = pixelsToTwips(GET_X_LPARAM(at), dpi_);
  args.y = pixelsToTwips(GET_Y_LPARAM(at), dpi_);
  model_.mouseDown(label, args);
}

LRESULT CALLBACK WindowBinding::labelProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR,
                                          DWORD_PTR self) {
  auto* binding = reinterpret_cast<WindowBinding*>(self);
  switch (m) {
    case WM_ERASEBKGND: return 1;  // its container has painted it
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (Control* c = binding->controlOf(h)) binding->pressed(*c, m, w, l);
      return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(h, &WindowBinding::labelProc, 1); break;
    default: break;
  }
  return DefSubclassProc(h, m, w, l);
}

LRESULT CALLBACK WindowBinding::containerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto* binding = reinterpret_cast<WindowBinding*>(GetWindowLongPtrW(h, GWLP_USERDATA));
  Control* c = binding != nullptr ? binding->controlOf(h) : nullptr;
  if (c == nullptr) return DefWindowProcW(h, m, w, l);
  return binding->container(*c, h, m, w, l);
}

LRESULT WindowBinding::container(Control& c, HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_ERASEBKGND: return 1;  // all of it is painted in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT client;
      GetClientRect(h, &client);
      // Painted off screen first, so that nothing flickers as a label changes.
      HDC buffer = CreateCompatibleDC(dc);
      HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1),
                                              std::max<LONG>(client.bottom, 1));
      HGDIOBJ old = SelectObject(buffer, bitmap);
      paintContainer(c, buffer);
      BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
      SelectObject(buffer, old);
      DeleteObject(bitmap);
      DeleteDC(buffer);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(w) == BN_CLICKED) {
        if (Control* clicked = controlOf(reinterpret_cast<HWND>(l))) {
          model_.click(*clicked);
          if (Control* next = model_.focusAfterClick(*clicked)) focus(*next);
        }
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (d.CtlType == ODT_BUTTON) {
        if (Control* button = controlOf(d.hwndItem)) drawButton(*button, d);
      }
      return TRUE;  // a label's own window draws nothing: its container has
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Control* child = controlOf(reinterpret_cast<HWND>(l));
          child != nullptr && child->kind() == Kind::OptionButton) {
        HDC dc = reinterpret_cast<HDC>(w);
        SetTextColor(dc, colorref(child->ForeColor));
        SetBkColor(dc, colorref(child->BackColor));
        return reinterpret_cast<LRESULT>(brushOf(child->BackColor));
      }
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    default: break;
  }
  if (c.kind() == Kind::Form) {
    switch (m) {
      case WM_CLOSE:  // the close box, Alt+F4, the taskbar: unloaded just as by 終了
        if (model_.unloaded()) {
          DestroyWindow(h);
        } else {
          model_.unload();
        }
        return 0;
      case WM_ACTIVATE:  // the focus comes back where it was when the window went away
        if (LOWORD(w) == WA_INACTIVE) {
          deactivated();
        } else if (HIWORD(w) == 0) {  // not minimised
          activated(controlOf(lastFocus_));
          if (GetFocus() == nullptr) SetFocus(h);  // nothing to go back to: the window
        }
        return 0;
      case WM_SETFOCUS:  // the window itself has it (restored from the taskbar): passed on
        activated(controlOf(lastFocus_));
        return 0;
      case WM_QUERYENDSESSION: return TRUE;
      case WM_ENDSESSION:
        if (w != 0) model_.unload();
        return 0;
      case kDestroy: DestroyWindow(h); return 0;
      case WM_DESTROY: PostQuitMessage(0); return 0;
      case WM_DPICHANGED: dpiChanged(HIWORD(w), reinterpret_cast<const RECT*>(l)); return 0;
      default: break;
    }
  }
  return DefWindowProcW(h, m, w, l);
}

void WindowBinding::dpiChanged(int dpi, const RECT* suggested) {
  dpi_ = dpi;
  makeTipFont();
  if (suggested != nullptr) {
    SetWindowPos(window(), nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  placeAll();
}

Control* WindowBinding::focusedControl() const {
  HWND f = GetFocus();
  // Once the window has lost the keyboard, the control that had it last.
  if (f == nullptr || (f != window() && !IsChild(window(), f))) f = lastFocus_;
  Control* c = controlOf(f);
  return c != nullptr && (c->kind() == Kind::CommandButton || c->kind() == Kind::OptionButton)
             ? c
             : nullptr;
}

void WindowBinding::focus(Control& c) {
  if (HWND h = handleOf(c)) SetFocus(h);
}

void WindowBinding::show(int how) {
  ShowWindow(window(), how);
  UpdateWindow(window());
  if (Control* first = model_.initialFocus()) focus(*first);
}

bool WindowBinding::preTranslate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || model_.unloaded()) return false;
  if (msg.hwnd != window() && !IsChild(window(), msg.hwnd)) return false;
  const bool repeat = (msg.lParam & (1 << 30)) != 0;  // the key was down already
  const KeyAction action = model_.keyDown(focusedControl(), keyOf(msg.wParam), repeat);
  switch (action.what) {
    case KeyAction::Toolkit: return false;
    case KeyAction::Nothing: return true;
    case KeyAction::Press: model_.click(*action.target); return true;
    case KeyAction::Select:
      model_.click(*action.target);
      if (Control* target = model_.focusAfterClick(*action.target)) focus(*target);
      return true;
    case KeyAction::Focus: focus(*action.target); return true;
  }
  return false;
}

void WindowBinding::unloaded() {
  // The window goes at once from the screen, and is destroyed once the handler that
  // unloaded it has returned.
  if (IsWindow(window())) {
    ShowWindow(window(), SW_HIDE);
    PostMessageW(window(), kDestroy, 0, 0);
  }
}

}  // namespace sorato::win32

#include "WindowBinding.h"

#include <commctrl.h>
#include <objbase.h>
#include <windowsx.h>

#include <algorithm>

#include "LiveRegion.h"
#include "Painting.h"
#include "ui/Contrast.h"
#include "ui/Layout.h"

namespace sorato::win32 {

namespace {

constexpr UINT kDestroy = WM_APP + 2;  // ends the window once the handler that unloaded it is done

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

}  // namespace

WindowBinding::WindowBinding(ControlModel& model) : Mirror(model) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  for (Control* c : model_.all()) {
    HWND parent = c->container() != nullptr ? handleOf(*c->container()) : nullptr;
    handles_[index(*c)] = createControlWindow(c->kind(), parent, *this);
  }
  dpi_ = dpiOf(window());
  resources_.setHighContrast(schemeIsHighContrast());
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, window(), nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 480);
  SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.tipFont(dpi_)), FALSE);
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
  CoUninitialize();
}

Control* WindowBinding::controlOf(HWND h) const {
  if (h == nullptr) return nullptr;
  for (Control* c : model_.all()) {
    if (handleOf(*c) == h) return c;
  }
  return nullptr;
}

void WindowBinding::apply(Control& c, Prop p) {
  HWND h = handleOf(c);
  switch (aspectOf(p)) {
    case Aspect::Text:
      if (h != nullptr) SetWindowTextW(h, wide(c.Caption.get()).c_str());
      if (c.kind() == Kind::Label) {
        redrawUnder(c);
        if (model_.announcesChanges(c)) announce(h);
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
      if (h != nullptr && c.kind() != Kind::Label) {
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.font(c, dpi_).handle),
                     TRUE);
      }
      if (c.kind() == Kind::Label) redrawUnder(c);
      break;
    case Aspect::None: break;
  }
}

// Where a label or the shape stands changes: its container paints that part again, and
// every control over it.
void WindowBinding::redrawUnder(Control& c) {
  if (c.container() == nullptr) return;
  RECT r = placeOf(c, dpi_);
  InflateRect(&r, 1, 1);
  RedrawWindow(handleOf(*c.container()), &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
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
  const RECT r = placeOf(c, dpi_);
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

std::vector<std::wstring> WindowBinding::labelLines(const Control& label) {
  return win32::labelLines(label, resources_, dpi_);
}

std::wstring WindowBinding::faceOf(const Control& c) {
  return resources_.font(c, dpi_).face;
}

void WindowBinding::labelPressed(HWND h, UINT message, WPARAM keys, LPARAM at) {
  Control* label = controlOf(h);
  if (label == nullptr) return;
  mouse::Button button = mouse::Button::Left;
  if (message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK) button = mouse::Button::Right;
  if (message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK) button = mouse::Button::Middle;
  MouseArgs args;
  args.button = mouse::buttonMask(button);
  args.shift =
      mouse::keyMask((keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0);
  args.x = pixelsToTwips(GET_X_LPARAM(at), dpi_);
  args.y = pixelsToTwips(GET_Y_LPARAM(at), dpi_);
  model_.mouseDown(*label, args);
}

LRESULT WindowBinding::containerMessage(HWND h, UINT m, WPARAM w, LPARAM l) {
  Control* c = controlOf(h);
  if (c == nullptr) return DefWindowProcW(h, m, w, l);
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
      paintContainer(model_, *c, h, buffer, resources_, dpi_);
      BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
      SelectObject(buffer, old);
      DeleteObject(bitmap);
      DeleteDC(buffer);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(w) == BN_CLICKED) {
        if (Control* c = controlOf(reinterpret_cast<HWND>(l))) clicked(*c);
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (d.CtlType == ODT_BUTTON) {
        if (Control* button = controlOf(d.hwndItem)) drawButton(*button, d, resources_, dpi_);
      }
      return TRUE;  // a label's own window draws nothing: its container has
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Control* child = controlOf(reinterpret_cast<HWND>(l));
          child != nullptr && child->kind() == Kind::OptionButton) {
        HDC dc = reinterpret_cast<HDC>(w);
        const DrawnColours colours = drawnColours(
            *child, IsWindowEnabled(reinterpret_cast<HWND>(l)) != FALSE, resources_.highContrast());
        SetTextColor(dc, resources_.rgb(colours.text));
        SetBkColor(dc, resources_.rgb(colours.ground));
        return reinterpret_cast<LRESULT>(resources_.brush(colours.ground));
      }
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    default: break;
  }
  return c->kind() == Kind::Form ? formMessage(h, m, w, l) : DefWindowProcW(h, m, w, l);
}

LRESULT WindowBinding::formMessage(HWND h, UINT m, WPARAM w, LPARAM l) {
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
    case WM_SYSCOLORCHANGE:  // a scheme turned on or off, or its colours changed
    case WM_SETTINGCHANGE: setHighContrast(schemeIsHighContrast()); break;
    default: break;
  }
  return DefWindowProcW(h, m, w, l);
}

bool WindowBinding::schemeIsHighContrast() {
  HIGHCONTRASTW scheme{};
  scheme.cbSize = sizeof scheme;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof scheme, &scheme, 0) &&
         (scheme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void WindowBinding::setHighContrast(bool on) {
  resources_.setHighContrast(on);
  RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WindowBinding::dpiChanged(int dpi, const RECT* suggested) {
  dpi_ = dpi;
  SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.tipFont(dpi_)), FALSE);
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
  return c != nullptr && ControlModel::focusable(*c) ? c : nullptr;
}

void WindowBinding::focus(Control& c, FocusCause) {
  if (HWND h = handleOf(c)) SetFocus(h);
}

void WindowBinding::show(int how) {
  ShowWindow(window(), how);
  UpdateWindow(window());
  if (Control* first = model_.initialFocus()) focus(*first, FocusCause::Game);
}

bool WindowBinding::preTranslate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || model_.unloaded()) return false;
  if (msg.hwnd != window() && !IsChild(window(), msg.hwnd)) return false;
  const bool repeat = (msg.lParam & (1 << 30)) != 0;  // the key was down already
  return keyPressed(focusedControl(), keyOf(msg.wParam), repeat);
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

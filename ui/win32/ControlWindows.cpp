#include "ControlWindows.h"

#include <commctrl.h>

namespace sorato::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"SoratoForm";
constexpr wchar_t kFrameClass[] = L"SoratoFrame";

LRESULT CALLBACK containerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto* input = reinterpret_cast<WindowInput*>(GetWindowLongPtrW(h, GWLP_USERDATA));
  return input != nullptr ? input->containerMessage(h, m, w, l) : DefWindowProcW(h, m, w, l);
}

bool registerClasses() {
  for (const wchar_t* name : {kFormClass, kFrameClass}) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = containerProc;
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

LRESULT CALLBACK labelProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR input) {
  switch (m) {
    case WM_ERASEBKGND: return 1;  // its container has painted it
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      reinterpret_cast<WindowInput*>(input)->labelPressed(h, m, w, l);
      return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(h, &labelProc, 1); break;
    default: break;
  }
  return DefSubclassProc(h, m, w, l);
}

// A button counts every click: the second press of a double-click is a press like any
// other (it draws the button pushed, and a release off the button cancels it), where a
// BUTTON of its own would send BN_DOUBLECLICKED instead of a click.  And it says when it
// takes the focus, for the window to give it back when it comes back itself.
LRESULT CALLBACK buttonProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR input) {
  switch (m) {
    case WM_LBUTTONDBLCLK: return DefSubclassProc(h, WM_LBUTTONDOWN, w, l);
    case WM_SETFOCUS: reinterpret_cast<WindowInput*>(input)->focusTaken(h); break;
    case WM_NCDESTROY: RemoveWindowSubclass(h, &buttonProc, 1); break;
    default: break;
  }
  return DefSubclassProc(h, m, w, l);
}

}  // namespace

HWND createControlWindow(Kind kind, HWND parent, WindowInput& input) {
  static const bool registered = registerClasses();
  (void)registered;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const DWORD_PTR to = reinterpret_cast<DWORD_PTR>(&input);
  HWND h = nullptr;
  switch (kind) {
    case Kind::Form:
      h = CreateWindowExW(0, kFormClass, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                          640, 480, nullptr, nullptr, instance, nullptr);
      break;
    case Kind::Frame:
      h = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0,
                          0, 0, parent, nullptr, instance, nullptr);
      break;
    case Kind::Label:
      h = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_CLIPSIBLINGS | SS_OWNERDRAW | SS_NOTIFY,
                          0, 0, 0, 0, parent, nullptr, instance, nullptr);
      SetWindowSubclass(h, &labelProc, 1, to);
      return h;
    case Kind::CommandButton:
    case Kind::OptionButton:
      h = CreateWindowExW(0, L"BUTTON", L"",
                          WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP |
                              (kind == Kind::CommandButton ? BS_OWNERDRAW : BS_RADIOBUTTON),
                          0, 0, 0, 0, parent, nullptr, instance, nullptr);
      SetWindowSubclass(h, &buttonProc, 1, to);
      return h;
    case Kind::Timer:
    case Kind::Shape: return nullptr;  // drawn by its container, or never
  }
  SetWindowLongPtrW(h, GWLP_USERDATA, static_cast<LONG_PTR>(to));
  return h;
}

}  // namespace sorato::win32

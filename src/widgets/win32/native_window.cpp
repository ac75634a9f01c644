#include "widgets/win32/native_window.h"

#include <commctrl.h>

#include "widgets/application.h"

namespace velmora::widgets::win32 {
namespace {

// One subclass of ours per window; its reference data is the owning object.
constexpr UINT_PTR kSubclassId = 0x56656c6d;  // "Velm"

using GetWindowSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);

// GetWindowSubclass is missing from mingw-w64's import library for comctl32,
// though the DLL exports it (by name, and as ordinal 411 like its three
// siblings 410, 412 and 413): it is looked up once at run time.
GetWindowSubclassFunction getWindowSubclass() {
  static const GetWindowSubclassFunction function = [] {
    HMODULE comctl32 = GetModuleHandleW(L"comctl32.dll");
    FARPROC found = GetProcAddress(comctl32, "GetWindowSubclass");
    if (!found) found = GetProcAddress(comctl32, MAKEINTRESOURCEA(411));
    return reinterpret_cast<GetWindowSubclassFunction>(reinterpret_cast<void*>(found));
  }();
  return function;
}

}  // namespace

NativeWindow* NativeWindow::from(HWND hwnd) {
  DWORD_PTR self = 0;
  static const GetWindowSubclassFunction get = getWindowSubclass();
  if (!hwnd || !get || !get(hwnd, procedure, kSubclassId, &self)) return nullptr;
  return reinterpret_cast<NativeWindow*>(self);
}

bool NativeWindow::create(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                          Rect bounds, HWND parent, HMENU menuOrId) {
  hwnd_ = CreateWindowExW(exStyle, className, text, style, bounds.left, bounds.top, bounds.width,
                          bounds.height, parent, menuOrId, moduleInstance(), nullptr);
  if (!hwnd_) return false;
  SetWindowSubclass(hwnd_, procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

void NativeWindow::destroy() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  RemoveWindowSubclass(hwnd, procedure, kSubclassId);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

LRESULT CALLBACK NativeWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
  auto* window = reinterpret_cast<NativeWindow*>(self);
  if (message == WM_NCDESTROY) {
    // Windows destroys child windows with their parent: this object must not
    // destroy its window a second time.
    RemoveWindowSubclass(hwnd, procedure, kSubclassId);
    window->hwnd_ = nullptr;
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  try {
    return window->handle(message, wParam, lParam);
  } catch (...) {
    window->app_->showException(std::current_exception());
    return 0;
  }
}

HINSTANCE moduleInstance() { return GetModuleHandleW(nullptr); }

HICON applicationIcon(bool small) {
  return applicationIconOfSize(GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON));
}

HICON applicationIconOfSize(int size) {
  if (HANDLE icon = LoadImageW(moduleInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED))
    return static_cast<HICON>(icon);
  return static_cast<HICON>(
      LoadImageW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */, IMAGE_ICON, size, size, LR_SHARED));
}

const wchar_t* registerClass(const wchar_t* name, UINT style, int backgroundColor, bool withIcon) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(moduleInstance(), name, &wc)) return name;
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = moduleInstance();
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColor + 1));
  if (withIcon) {
    wc.hIcon = applicationIcon(false);
    wc.hIconSm = applicationIcon(true);
  }
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
  return name;
}

}  // namespace velmora::widgets::win32

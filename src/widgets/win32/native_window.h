#pragma once

#include <windows.h>

#include <commctrl.h>

#include "widgets/geometry.h"

namespace velmora::widgets {
class Application;
}

namespace velmora::widgets::win32 {

// Owns one native window: creates it, reaches this object from its messages in
// constant time through the subclass reference data, and destroys it exactly
// once. It cannot be copied. Every message goes through handle() inside a guard:
// no exception crosses the window procedure; it goes to the application, which
// shows it.
class NativeWindow {
 public:
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;
  virtual ~NativeWindow() { destroy(); }

  HWND hwnd() const { return hwnd_; }
  Application& application() const { return *app_; }

  // The object behind a window made by this layer, or null for any other window.
  static NativeWindow* from(HWND hwnd);

 protected:
  explicit NativeWindow(Application& app) : app_(&app) {}

  // Creates the window and subclasses it; false when Windows refused.
  bool create(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, Rect bounds,
              HWND parent, HMENU menuOrId);
  // Destroys the window unless Windows already has (with its parent). No message
  // reaches handle() from the moment this starts.
  void destroy();

  // Every message of the window; the default passes it on.
  virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return callDefault(message, wParam, lParam);
  }
  LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);

  Application* app_;
  HWND hwnd_ = nullptr;
};

// The module's instance handle, and the application's icon (resource 1) at the
// system's large or small size (the windows' class icons, which Windows scales); the generic application icon
// when the module has none (test programs). The icons are shared and never destroyed.
HINSTANCE moduleInstance();
HICON applicationIcon(bool small);
// The application's icon at a size in pixels, chosen from its images.
HICON applicationIconOfSize(int size);

// Registers a window class of this layer once; its procedure is DefWindowProcW,
// because every window is then subclassed. Returns the class name.
const wchar_t* registerClass(const wchar_t* name, UINT style, int backgroundColor, bool withIcon);

}  // namespace velmora::widgets::win32

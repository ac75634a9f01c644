// The program's entry: the application on the UI thread and its main window.
// The main window is still minimal: its caption, size, placement and the tray
// icon; its pages, menus and scanners come with the application's own windows.
#include <exception>
#include <memory>

#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/tray_icon.h"
#include "widgets/win32/win32_backend.h"

namespace {

constexpr const char* kTitle = "Velmora Disk Cleaner 1.3";

// The main window as far as it exists yet.
class TForm1 : public velmora::widgets::Form {
 public:
  explicit TForm1(velmora::widgets::Application& app) : Form(app, "TForm1") {
    setCaption(kTitle);
    setSize(703, 588);
    setPlacement(velmora::widgets::FormPlacement::ScreenCenter);
    // Minimizing sends the window to the tray; a double click on the icon
    // brings it back.
    onMinimize = [&app] { app.hideMainWindow(); };
    StTrayIcon1.onDoubleClick = [&app] { app.restoreMainWindow(); };
  }

  velmora::widgets::TrayIcon StTrayIcon1{*this, "StTrayIcon1"};
};

}  // namespace

int main() {
  velmora::widgets::Application app(std::make_unique<velmora::widgets::win32::Win32Backend>());
  app.setTitle(kTitle);
  try {
    TForm1 form(app);
    return app.run(form);
  } catch (...) {
    // An error that escapes the start-up is shown like any other, and ends
    // the program.
    app.showException(std::current_exception());
    return 1;
  }
}

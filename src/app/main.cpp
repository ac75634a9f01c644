// The program's entry: the application on the UI thread over the real Windows,
// its main window, and the message loop until the main window closes. No argument
// and no environment variable is read.
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/main_window.h"
#include "platform/system_info.h"
#include "platform/win32/win32_services.h"
#include "widgets/application.h"
#include "widgets/win32/win32_backend.h"

int main() {
  using namespace velmora;
  widgets::Application app(std::make_unique<widgets::win32::Win32Backend>());
  try {
    platform::Services& services = platform::win32::win32Services();
    const std::optional<std::string> exePath = services.system.executablePath();
    if (!exePath) throw std::runtime_error("The program cannot find where it was started from.");
    // The window and tray icon take the program's icon from its resources.
    app::TForm1 form(app, services, *exePath);
    return app.run(form);
  } catch (...) {
    // An error that escapes the start-up is shown like any other, and ends the
    // program.
    app.showException(std::current_exception());
    return 1;
  }
}

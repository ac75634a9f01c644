// The program's entry: a run from the command line (/auto, /preview, /?) without
// any window, or else the application on the UI thread over the real Windows, its
// main window, and the message loop until the main window closes.
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "unattended/command_line.h"
#include "app/main_window.h"
#include "platform/system_info.h"
#include "platform/win32/win32_services.h"
#include "widgets/application.h"
#include "widgets/win32/win32_backend.h"

int main() {
  using namespace velmora;
  platform::Services& services = platform::win32::win32Services();
  platform::ProcessHost& host = platform::win32::win32ProcessHost();
  const std::optional<std::string> exePath = services.system.executablePath();
  // A command-line run makes no window, no tray icon and no update check.
  const unattended::CommandOutcome outcome = unattended::runCommandLine(host.arguments(), services, host, exePath);
  if (outcome.exitCode && !outcome.showUsage) return *outcome.exitCode;

  widgets::Application app(std::make_unique<widgets::win32::Win32Backend>());
  if (outcome.showUsage) {
    app.messageBox({unattended::usageText(0), "Velmora Disk Cleaner", widgets::MessageButtons::Ok,
                    widgets::MessageIcon::Information});
    return *outcome.exitCode;
  }
  try {
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

#pragma once

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <vector>

#include "files_page_windows.h"
#include "program_copy.h"
#include "program_process.h"

namespace velmora::e2e {

// The main window's caption, by which a test knows the program is up.
inline constexpr const wchar_t* kMainCaption = L"Velmora Disk Cleaner 1.3";

// What a user chooses from the main window's menus or with its shortcut; the keys
// are the same in either language.
enum class MenuCommand { restore, settings, freeMemory, systemInformation, softwareUpdate, about, russian };

// The Registry page's controls, found by what they show once the page is up.
struct RegistryPageWindows {
  HWND results;  // ListViewReg
  HWND search;   // ButtonSearchReg
  HWND uncheck;  // ButtonUncheckReg
  HWND remove;   // ButtonDeleteReg
  HWND status;   // StatusBar1

  // Clicks Search and waits until the button reads "Search" again; whether it
  // did within the limit.
  bool scan(std::chrono::milliseconds limit = std::chrono::seconds(120)) const;
};

// The real program as a user meets it: started from a copy of its folder with
// the settings the test wrote there, then worked through its main window, pages,
// menus and message boxes. Each step waits, within a limit, for what it needs
// and throws std::runtime_error naming what did not come (as sendTo does for a
// program that stops answering), so that a test reads as the user's steps and
// stops at the first one that did not happen. The process is ended with the
// object if the test has not closed the program.
class RunningProgram {
 public:
  explicit RunningProgram(const ProgramCopy& copy);

  const ProgramProcess& process() const { return process_; }
  // The main window, waited for up to a minute the first time it is asked for.
  HWND window();
  // A visible top-level window of the program with the caption, waited for.
  HWND waitFor(const std::wstring& caption, std::chrono::milliseconds limit = std::chrono::seconds(30)) const;

  // The Files page, shown first on every start.
  FilesPageWindows filesPage();
  // Shows the Registry page and finds its controls.
  RegistryPageWindows registryPage();
  // Clicks the tab of a page and waits for its list: the visible report list
  // whose first columns read columns.
  HWND showPage(int index, std::initializer_list<std::wstring> columns);

  // Types the keys of a command into the main window, one by one as a user does.
  void choose(MenuCommand command);
  // Chooses a command that opens a window and waits for that window.
  HWND open(MenuCommand command, const std::wstring& caption);
  // Waits for a message box and its button, clicks the button and waits until
  // the box has gone.
  void answer(const wchar_t* caption, const wchar_t* button);
  // Closes a secondary window with the button of that text, or with a key, and
  // waits until it is hidden.
  void closeWith(HWND dialog, const wchar_t* button);
  void closeWithKey(HWND dialog, WORD key);
  // Closes the main window as its close box does and expects the program to end
  // within 30 s with exit code 0.
  void close();

 private:
  ProgramProcess process_;
  HWND window_ = nullptr;
};

}  // namespace velmora::e2e

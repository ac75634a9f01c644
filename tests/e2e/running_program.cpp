#include "running_program.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "program_controls.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The keys of each command. The Options menu is the second: Settings, the
// Language submenu, Free Memory, System Information; the Help menu the third.
std::vector<WORD> keysOf(MenuCommand command) {
  switch (command) {
    case MenuCommand::restore:
      return {VK_F10, VK_DOWN, VK_RETURN};
    case MenuCommand::settings:
      return {};  // Ctrl+O.
    case MenuCommand::freeMemory:
      return {VK_F10, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
    case MenuCommand::systemInformation:
      return {VK_F10, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
    case MenuCommand::softwareUpdate:
      return {VK_F10, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN};
    case MenuCommand::about:
      return {VK_F10, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN};
    case MenuCommand::russian:
      return {VK_F10, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN};
  }
  return {};
}

void waitUntilHidden(HWND dialog) {
  if (!waitUntil([dialog] { return !IsWindowVisible(dialog); }, 10s))
    throw std::runtime_error("the window \"" + narrow(windowText(dialog)) + "\" stayed open");
}

}  // namespace

bool RegistryPageWindows::scan(std::chrono::milliseconds limit) const {
  clickButton(search);
  return waitUntil([this] { return windowText(search) == L"Search"; }, limit);
}

RunningProgram::RunningProgram(const ProgramCopy& copy) : process_(copy.exePath()) {
  if (!process_.started())
    throw std::runtime_error("could not start the program, error " + std::to_string(process_.startError()));
}

HWND RunningProgram::window() {
  if (!window_) window_ = waitFor(kMainCaption, 60s);
  return window_;
}

HWND RunningProgram::waitFor(const std::wstring& caption, std::chrono::milliseconds limit) const {
  HWND found = process_.waitForWindow(caption, limit);
  if (!found)
    throw std::runtime_error("no window titled \"" + narrow(caption) + "\" appeared within " +
                             std::to_string(limit.count() / 1000) + " s");
  return found;
}

FilesPageWindows RunningProgram::filesPage() {
  const FilesPageWindows page(window());
  if (!page.missing().empty())
    throw std::runtime_error("controls of the Files page not found:" + page.missing());
  return page;
}

RegistryPageWindows RunningProgram::registryPage() {
  const HWND list = showPage(1, {L"Problem"});
  const RegistryPageWindows page{list, findVisibleChild(window(), L"Button", L"Search"),
                                 findVisibleChild(GetParent(list), L"Button", L"Uncheck All"),
                                 findVisibleChild(window(), L"Button", L"Delete"),
                                 findVisibleChild(window(), STATUSCLASSNAMEW)};
  if (!page.search || !page.uncheck || !page.remove || !page.status)
    throw std::runtime_error("controls of the Registry page not found");
  return page;
}

HWND RunningProgram::showPage(int index, std::initializer_list<std::wstring> columns) {
  HWND tabs = findVisibleChild(window(), WC_TABCONTROLW);
  if (!tabs) throw std::runtime_error("the main window has no page control");
  clickTab(tabs, index);
  // The list of the page left may still be in sight a moment, and the Startup and
  // Uninstall lists both begin with "Programs": every caption given must match.
  HWND list = nullptr;
  const bool shown = waitUntil(
      [&] {
        list = findListView(window(), *columns.begin());
        int column = 0;
        for (const std::wstring& caption : columns)
          if (list && listColumnCaption(list, column++) != caption) list = nullptr;
        return list != nullptr;
      },
      10s);
  if (!shown) throw std::runtime_error("page " + std::to_string(index) + " did not show its list");
  return list;
}

void RunningProgram::choose(MenuCommand command) {
  bool typed = command != MenuCommand::settings || typeCtrlKey(window(), 'O');
  for (WORD key : keysOf(command)) typed = typed && typeKeys(window(), {key});
  if (!typed) throw std::runtime_error("the main window did not take the keyboard");
}

HWND RunningProgram::open(MenuCommand command, const std::wstring& caption) {
  choose(command);
  return waitFor(caption);
}

void RunningProgram::answer(const wchar_t* caption, const wchar_t* button) {
  HWND found = waitForMessageBoxButton(caption, button, 10s);
  if (!found)
    throw std::runtime_error("no message box \"" + narrow(caption) + "\" with " + narrow(button) +
                             " within 10 s");
  HWND box = GetParent(found);
  clickButton(found);
  if (!waitUntil([box] { return !IsWindow(box); }, 10s))
    throw std::runtime_error("the message box \"" + narrow(caption) + "\" stayed after " + narrow(button));
}

void RunningProgram::closeWith(HWND dialog, const wchar_t* button) {
  HWND found = findVisibleChild(dialog, L"Button", button);
  if (!found)
    throw std::runtime_error("the window \"" + narrow(windowText(dialog)) + "\" has no button " +
                             narrow(button));
  clickButton(found);
  waitUntilHidden(dialog);
}

void RunningProgram::closeWithKey(HWND dialog, WORD key) {
  if (!typeKeys(dialog, {key})) throw std::runtime_error("the window did not take the keyboard");
  waitUntilHidden(dialog);
}

void RunningProgram::close() {
  PostMessageW(window(), WM_CLOSE, 0, 0);
  const std::optional<DWORD> code = process_.waitForExit(30s);
  if (!code) throw std::runtime_error("the program did not end within 30 s of WM_CLOSE");
  EXPECT_EQ(*code, 0u);
}

}  // namespace velmora::e2e

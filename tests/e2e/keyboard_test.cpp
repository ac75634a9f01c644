// The real program worked from the keyboard alone, as Windows programs are: Tab
// through the Files page in reading order with the focus shown, Space on a
// checked list, menus by their access keys, Enter and Esc in the dialogs; and
// the settings kept when Windows ends the session with the window in the tray.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_controls.h"
#include "program_copy.h"
#include "program_process.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

HWND focusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// A control as the test names it: a button by its text, a list by its first
// column, anything else by its window class.
std::wstring describe(HWND control) {
  wchar_t className[64] = L"";
  GetClassNameW(control, className, 64);
  if (std::wstring(className) == L"SysListView32") return L"list " + listColumnCaption(control, 0);
  if (std::wstring(className) == L"Button") return windowText(control);
  return className;
}

// Presses Tab (Shift+Tab) and waits for the focus to move.
std::wstring tab(HWND window, bool backwards = false) {
  const HWND before = focusIn(window);
  const bool typed = backwards ? typeModifiedKey(window, VK_SHIFT, VK_TAB) : typeKeys(window, {VK_TAB});
  if (!typed || !waitUntil([&] { return focusIn(window) != before; }, 5s)) return L"(focus stayed)";
  return describe(focusIn(window));
}

HWND openWithMenuKeys(const ProgramProcess& program, HWND window, WORD menu, WORD item,
                      const wchar_t* caption) {
  if (!typeModifiedKey(window, VK_MENU, menu) || !typeKeys(window, {item})) return nullptr;
  return program.waitForWindow(caption, 30s);
}

bool waitHidden(HWND dialog) {
  return waitUntil([dialog] { return !IsWindowVisible(dialog); }, 10s);
}

TEST(Keyboard, TabSpaceAccessKeysEnterAndEscWorkAsInAnyWindowsProgram) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  ProgramProcess program(copy.exePath());
  ASSERT_TRUE(program.started()) << "could not start the program, error " << program.startError();
  HWND window = program.waitForWindow(L"Velmora Disk Cleaner 1.3", 60s);
  ASSERT_NE(window, nullptr) << "no main window within 60 s";

  // Round the Files page from the tabs, which have the keyboard first: the left
  // column top to bottom, then the results and the buttons below them row by
  // row, and the tabs again. The edit box is disabled.
  std::vector<std::wstring> order;
  for (int i = 0; i < 20 && (order.empty() || order.back() != L"SysTabControl32"); ++i)
    order.push_back(tab(window));
  EXPECT_EQ(order, (std::vector<std::wstring>{L"list Types", L"Check All", L"Uncheck All", L"list Drives",
                                              L"list File name", L"Search", L"Check All", L"Uncheck All",
                                              L"Delete", L"SysTabControl32"}));
  const auto focusShown = [&] { return (sendTo(focusIn(window), WM_QUERYUISTATE) & UISF_HIDEFOCUS) == 0; };
  EXPECT_TRUE(focusShown()) << "after Tab the focus rectangle shows";
  EXPECT_EQ(tab(window, true), L"Delete") << "Shift+Tab goes back";

  // Space flips the check box of the row the keyboard is on.
  ASSERT_EQ(tab(window), L"SysTabControl32");
  ASSERT_EQ(tab(window), L"list Types");
  HWND types = focusIn(window);
  const bool wasChecked = listRowChecked(types, 0);
  ASSERT_TRUE(typeKeys(window, {VK_SPACE}));
  EXPECT_TRUE(waitUntil([&] { return listRowChecked(types, 0) != wasChecked; }, 5s));

  // Alt+O, I: System Information; Enter presses its default button, Close.
  HWND dialog = openWithMenuKeys(program, window, 'O', 'I', L"System Information");
  ASSERT_NE(dialog, nullptr) << "Alt+O, I did not open System Information";
  ASSERT_TRUE(typeKeys(dialog, {VK_RETURN}));
  EXPECT_TRUE(waitHidden(dialog)) << "Enter";
  // Alt+O, F: Free Memory; Tab round its controls, and Esc leaves it.
  dialog = openWithMenuKeys(program, window, 'O', 'F', L"Free Memory");
  ASSERT_NE(dialog, nullptr) << "Alt+O, F did not open Free Memory";
  std::vector<std::wstring> dialogOrder;
  for (int i = 0; i < 6; ++i) dialogOrder.push_back(tab(dialog));
  EXPECT_EQ(dialogOrder, (std::vector<std::wstring>{L"Edit", L"Edit", L"free a&utomatically", L"&Clean",
                                                    L"&Abort", L"Edit"}));
  ASSERT_TRUE(typeKeys(dialog, {VK_ESCAPE}));
  EXPECT_TRUE(waitHidden(dialog)) << "Esc";

  // Alt+F, X: the program ends and keeps what the user chose.
  ASSERT_TRUE(typeModifiedKey(window, VK_MENU, 'F'));
  ASSERT_TRUE(typeKeys(window, {'X'}));
  const auto code = program.waitForExit(30s);
  ASSERT_TRUE(code.has_value()) << "Alt+F, X did not end the program";
  EXPECT_EQ(*code, 0u);
}

// Windows ends the session without closing a window: the settings are written
// when it says so, with the window in the tray.
TEST(Keyboard, TheEndOfTheSessionKeepsTheSettingsOfAProgramInTheTray) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings("English");
  ProgramProcess program(copy.exePath());
  ASSERT_TRUE(program.started()) << "could not start the program, error " << program.startError();
  HWND window = program.waitForWindow(L"Velmora Disk Cleaner 1.3", 60s);
  ASSERT_NE(window, nullptr);
  // Options, Language, Russian, by their access keys.
  ASSERT_TRUE(typeModifiedKey(window, VK_MENU, 'O'));
  ASSERT_TRUE(typeKeys(window, {'L', 'R'}));
  sendTo(window, WM_SYSCOMMAND, SC_MINIMIZE);
  ASSERT_TRUE(waitUntil([window] { return !IsWindowVisible(window); }, 10s)) << "the window went to the tray";

  EXPECT_NE(sendTo(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
  sendTo(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_NE(copy.readSettings().find("Language=Russian"), std::string::npos) << copy.readSettings();
  EXPECT_FALSE(program.waitForExit(0ms).has_value()) << "Windows ends the process, not the program";
}

}  // namespace
}  // namespace velmora::e2e

// The real program from the keyboard: Tab, access keys, Enter and Esc; then the
// end of the session with the window in the tray, which keeps the settings.
#include <windows.h>

#include <gtest/gtest.h>

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

// Presses Tab (Shift+Tab) and names where the focus went: a button by its text,
// a list by its first column, anything else by its class.
std::wstring tab(HWND window, bool backwards = false) {
  const HWND before = focusIn(window);
  if (!(backwards ? typeModifiedKey(window, VK_SHIFT, VK_TAB) : typeKeys(window, {VK_TAB})) ||
      !waitUntil([&] { return focusIn(window) != before; }, 5s))
    return L"(focus stayed)";
  wchar_t name[64] = L"";
  GetClassNameW(focusIn(window), name, 64);
  if (name == std::wstring(L"SysListView32")) return L"list " + listColumnCaption(focusIn(window), 0);
  return name == std::wstring(L"Button") ? windowText(focusIn(window)) : name;
}

TEST(Keyboard, TabAccessKeysEnterAndEscWorkAndTheEndOfTheSessionKeepsTheSettings) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  ProgramProcess program(copy.exePath());
  HWND window = program.waitForWindow(L"Velmora Disk Cleaner 1.3", 60s);
  ASSERT_NE(window, nullptr) << "no main window within 60 s";
  std::vector<std::wstring> order;  // from the tabs, which have the keyboard first
  while (order.size() < 20 && (order.empty() || order.back() != L"SysTabControl32"))
    order.push_back(tab(window));
  EXPECT_EQ(order, (std::vector<std::wstring>{L"list Types", L"Check All", L"Uncheck All", L"list Drives",
                                              L"list File name", L"Search", L"Check All", L"Uncheck All",
                                              L"Delete", L"SysTabControl32"}));
  EXPECT_FALSE(sendTo(focusIn(window), WM_QUERYUISTATE) & UISF_HIDEFOCUS) << "the focus shows";
  EXPECT_EQ(tab(window, true), L"Delete");

  // Options, System Information; Enter presses Close.
  ASSERT_TRUE(typeModifiedKey(window, VK_MENU, 'O') && typeKeys(window, {'I'}));
  HWND dialog = program.waitForWindow(L"System Information", 30s);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(typeKeys(dialog, {VK_RETURN}));
  EXPECT_TRUE(waitUntil([dialog] { return !IsWindowVisible(dialog); }, 10s)) << "Enter";
  // Again; Esc closes it.
  ASSERT_TRUE(typeModifiedKey(window, VK_MENU, 'O') && typeKeys(window, {'I'}));
  ASSERT_TRUE(waitUntil([dialog] { return IsWindowVisible(dialog); }, 10s) && typeKeys(dialog, {VK_ESCAPE}));
  EXPECT_TRUE(waitUntil([dialog] { return !IsWindowVisible(dialog); }, 10s)) << "Esc";

  // Options, Language, Russian; to the tray; and Windows logs off.
  ASSERT_TRUE(typeKeys(window, {VK_F10, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}));
  HWND files = findListView(window, L"File name");
  ASSERT_TRUE(waitUntil([files] { return listColumnCaption(files, 0) != L"File name"; }, 10s));
  sendTo(window, WM_SYSCOMMAND, SC_MINIMIZE);
  EXPECT_NE(sendTo(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
  sendTo(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_NE(copy.readSettings().find("Language=Russian"), std::string::npos) << copy.readSettings();
}

}  // namespace
}  // namespace velmora::e2e

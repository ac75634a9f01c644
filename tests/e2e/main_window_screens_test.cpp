// Screenshots of the real main window on each of its pages, for a person to look
// at: clipped captions and overlapping controls show only in a picture.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "png_screenshot.h"
#include "running_program.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

TEST(MainWindowScreens, EachPageIsDrawn) {
  ProgramCopy copy;
  // A settings file from an earlier run, so that the main window comes first.
  std::ofstream(copy.settingsPath(), std::ios::binary) << "[Options]\r\nfirstStart=0\r\n";
  RunningProgram program(copy);
  HWND window = program.window();
  HWND tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
  ASSERT_NE(tabs, nullptr) << "the main window has no page control";
  SetForegroundWindow(window);

  const wchar_t* pages[] = {L"files", L"registry", L"startup", L"uninstall"};
  for (int page = 0; page < 4; ++page) {
    if (page > 0) {
      // The tab control moves to the next page on the right arrow key, asking
      // the window first as a click on the tab would.
      PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
      PostMessageW(tabs, WM_KEYUP, VK_RIGHT, 0);
    }
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), page);
    int colours = 0;
    EXPECT_TRUE(saveWindowPng(window, std::wstring(L"main_window_") + pages[page], colours));
    EXPECT_GT(colours, 8) << "the capture shows a drawn window, not a blank area";
  }

  program.close();
}

}  // namespace
}  // namespace velmora::e2e

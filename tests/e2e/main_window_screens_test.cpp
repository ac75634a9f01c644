// Screenshots of the real main window on each of its pages, for a person to look
// at: clipped captions and overlapping controls show only in a picture.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "png_screenshot.h"
#include "program_copy.h"
#include "program_process.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

TEST(MainWindowScreens, EachPageIsDrawn) {
  ProgramCopy copy;
  // A settings file from an earlier run, so that the main window comes first.
  std::ofstream(copy.settingsPath(), std::ios::binary) << "[Options]\r\nfirstStart=0\r\n";
  ProgramProcess program(copy.exePath());
  ASSERT_TRUE(program.started()) << "could not start the program, error " << program.startError();
  HWND window = program.waitForWindow(L"Velmora Disk Cleaner 1.3", 60s);
  ASSERT_NE(window, nullptr);
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

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.waitForExit(30s).has_value());
}

}  // namespace
}  // namespace velmora::e2e

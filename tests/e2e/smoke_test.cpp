#include <gtest/gtest.h>

#include "program_copy.h"
#include "program_process.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

// The program started on its first run asks for the language first, then shows
// its main window, and ends with exit code 0 when that window is closed.
TEST(Smoke, MainWindowOpensAndClosesWithExitCodeZero) {
  ProgramCopy copy;
  ProgramProcess program(copy.exePath());
  ASSERT_TRUE(program.started()) << "could not start the program, error " << program.startError();

  HWND language = program.waitForWindow(L"Select Language", 60s);
  ASSERT_NE(language, nullptr) << "no window titled \"Select Language\" appeared within 60 s";
  PostMessageW(language, WM_CLOSE, 0, 0);

  HWND window = program.waitForWindow(L"Velmora Disk Cleaner 1.3", 30s);
  ASSERT_NE(window, nullptr) << "no window titled \"Velmora Disk Cleaner 1.3\" appeared within 30 s";

  PostMessageW(window, WM_CLOSE, 0, 0);
  auto code = program.waitForExit(30s);
  ASSERT_TRUE(code.has_value()) << "the program did not end within 30 s of WM_CLOSE";
  EXPECT_EQ(*code, 0u);
}

}  // namespace
}  // namespace velmora::e2e

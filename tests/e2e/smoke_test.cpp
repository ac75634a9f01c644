#include <gtest/gtest.h>

#include "program_process.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

TEST(Smoke, MainWindowOpensAndClosesWithExitCodeZero) {
  ProgramProcess program(programExePath());
  ASSERT_TRUE(program.started()) << "could not start the program, error " << program.startError();

  HWND window = program.waitForWindow(L"Velmora Disk Cleaner 1.3", 60s);
  ASSERT_NE(window, nullptr) << "no window titled \"Velmora Disk Cleaner 1.3\" appeared within 60 s";

  PostMessageW(window, WM_CLOSE, 0, 0);
  auto code = program.waitForExit(30s);
  ASSERT_TRUE(code.has_value()) << "the program did not end within 30 s of WM_CLOSE";
  EXPECT_EQ(*code, 0u);
}

}  // namespace
}  // namespace velmora::e2e

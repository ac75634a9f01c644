#include <gtest/gtest.h>

#include "running_program.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

// The program started on its first run asks for the language first, then shows
// its main window, and ends with exit code 0 when that window is closed.
TEST(Smoke, MainWindowOpensAndClosesWithExitCodeZero) {
  ProgramCopy copy;
  RunningProgram program(copy);
  PostMessageW(program.waitFor(L"Select Language", 60s), WM_CLOSE, 0, 0);
  program.close();
}

}  // namespace
}  // namespace velmora::e2e

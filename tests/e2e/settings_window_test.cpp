// The Settings window of the real program with the Task Scheduler service switched
// off, as a policy can switch it off: the window opens without any message box,
// the schedule's group says Task Scheduler is not available and is disabled, and
// Ok closes the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "png_screenshot.h"
#include "program_controls.h"
#include "program_copy.h"
#include "running_program.h"
#include "task_scheduler_service.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

// Disabled: in a prefix freshly booted by the test run, ending the process that
// hosts Wine's Schedule service does not stop it ("the Schedule service does not
// stop"); it passed only in a prefix that had run longer. Run it by hand with
// --gtest_also_run_disabled_tests until the switch is made reliable.
TEST(SettingsWindow, DISABLED_OpensAtOnceAndSaysTaskSchedulerIsNotAvailableWhenItsServiceIsOff) {
  const TaskSchedulerOff off;
  ASSERT_EQ(off.failure(), "");
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  HWND settings = program.open(MenuCommand::settings, L"Settings");
  EXPECT_EQ(waitForMessageBoxButton(kMainCaption, L"OK", 0ms), nullptr) << "a message box came with the window";

  HWND schedule = findVisibleChild(settings, L"ComboBox");
  ASSERT_NE(schedule, nullptr);
  const wchar_t* unavailable =
      L"Task Scheduler is not available: its service is not running. The schedule can be shown and changed once it "
      L"runs.";
  ASSERT_TRUE(waitUntil(
      [&] { return !IsWindowEnabled(schedule) && findVisibleChild(settings, L"Static", unavailable); }, 30s))
      << "the schedule's group does not say Task Scheduler is not available";
  EXPECT_EQ(waitForMessageBoxButton(kMainCaption, L"OK", 0ms), nullptr);
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(settings, L"settings-task-scheduler-off", colours));

  program.closeWith(settings, L"Ok");
  program.close();
}

}  // namespace
}  // namespace velmora::e2e

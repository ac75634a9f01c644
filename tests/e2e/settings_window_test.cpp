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
#include "program_process.h"
#include "task_scheduler_service.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr const wchar_t* kMainCaption = L"Velmora Disk Cleaner 1.3";

TEST(SettingsWindow, OpensAtOnceAndSaysTaskSchedulerIsNotAvailableWhenItsServiceIsOff) {
  const TaskSchedulerOff off;
  ASSERT_EQ(off.failure(), "");
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  ProgramProcess program(copy.exePath());
  HWND window = program.waitForWindow(kMainCaption, 60s);
  ASSERT_NE(window, nullptr);

  ASSERT_TRUE(typeCtrlKey(window, 'O'));
  HWND settings = program.waitForWindow(L"Settings", 30s);
  ASSERT_NE(settings, nullptr) << "no Settings window";
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

  clickButton(findVisibleChild(settings, L"Button", L"Ok"));
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(settings); }, 10s)) << "Ok did not close the window";
  closeProgram(program, window);
}

}  // namespace
}  // namespace velmora::e2e

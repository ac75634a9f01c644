// The account's task under a name no other account shares, and a schedule an
// earlier version registered taken over: never lost, never doubled, never another
// account's.
#include <gtest/gtest.h>

#include "fakes/fake_system_info.h"
#include "fakes/fake_task_scheduler.h"
#include "unattended/schedule.h"

namespace velmora::unattended {
namespace {

TEST(ScheduleTask, TheEarlierNamesTaskIsTakenOverOnlyWhenItIsTheAccountsOwn) {
  fakes::FakeSystemInfo system;
  const ScheduleTaskNames names = *scheduleTaskNames(system);
  system.userSid = "S-1-5-21-7-7-7-1001";  // The same user name, another account.
  EXPECT_NE(scheduleTaskNames(system)->current, names.current);

  const std::string exe = "C:\\Velmora\\VelmoraDiskCleaner.exe";
  const platform::TaskDefinition weekly{
      platform::TaskTrigger::weekly, 18, 30, 5, exe, "/auto", "C:\\Velmora"};
  const Schedule daily{ScheduleKind::daily, 3, 0, 1};
  for (const bool own : {true, false}) {
    SCOPED_TRACE(own);
    fakes::FakeTaskScheduler scheduler;
    scheduler.tasks[names.earlier] = weekly;
    if (!own) scheduler.othersTasks.insert(names.earlier);
    const ScheduleReading reading = readSchedule(scheduler, names);
    EXPECT_EQ(reading.schedule, own ? (Schedule{ScheduleKind::weekly, 18, 30, 5}) : Schedule{});
    ASSERT_EQ(applySchedule(scheduler, names.current, daily, exe, reading.earlierTask), "");
    EXPECT_EQ(scheduler.tasks.size(), own ? 1u : 2u);
    EXPECT_EQ(scheduler.tasks.count(names.current), 1u);
    EXPECT_EQ(scheduler.tasks.count(names.earlier), own ? 0u : 1u);
    EXPECT_EQ(readSchedule(scheduler, names).schedule, daily) << "the new name's task wins";
  }
}

}  // namespace
}  // namespace velmora::unattended

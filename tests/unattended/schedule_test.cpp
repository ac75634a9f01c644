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
  const ScheduleTaskNames names = *scheduleTaskNames(fakes::FakeSystemInfo());

  const std::string exe = "C:\\Velmora\\VelmoraDiskCleaner.exe";
  const platform::TaskDefinition weekly{
      platform::TaskTrigger::weekly, 18, 30, 5, exe, "/auto", "C:\\Velmora"};
  const Schedule daily{ScheduleKind::daily, 3, 0, 1};
  // The account's own; another's, named in its principal; another's, which the
  // service will not show to this account.
  for (const int owner : {0, 1, 2}) {
    SCOPED_TRACE(owner);
    const bool own = owner == 0;
    fakes::FakeTaskScheduler scheduler;
    scheduler.tasks[names.earlier] = weekly;
    if (!own) scheduler.othersTasks.insert(names.earlier);
    scheduler.othersDenied = owner == 2;
    const ScheduleReading reading = readSchedule(scheduler, names);
    EXPECT_EQ(reading.status, own ? platform::TaskStatus::found : platform::TaskStatus::absent);
    EXPECT_EQ(reading.schedule, own ? (Schedule{ScheduleKind::weekly, 18, 30, 5}) : Schedule{});
    ASSERT_EQ(applySchedule(scheduler, names.current, daily, exe, reading.earlierTask), 0u);
    EXPECT_EQ(scheduler.tasks.count(names.current), 1u);
    EXPECT_EQ(scheduler.tasks.count(names.earlier), own ? 0u : 1u);
    EXPECT_EQ(readSchedule(scheduler, names).schedule, daily) << "the new name's task wins";
  }
}

}  // namespace
}  // namespace velmora::unattended

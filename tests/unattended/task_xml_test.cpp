// The task definition as written, and as Task Scheduler hands back a changed one.
#include <gtest/gtest.h>

#include "platform/task_xml.h"

namespace velmora::platform {
namespace {

TEST(TaskXml, EveryKindReadsBackAsWrittenWithAPathThatNeedsEscaping) {
  TaskDefinition task;
  task.program = "C:\\Tools & More\\<Velmora> \"Очистка\"\\VelmoraDiskCleaner.exe";
  task.arguments = "/auto";
  task.workingFolder = "C:\\Tools & More\\<Velmora> \"Очистка\"";
  for (const auto& [trigger, hour, minute, day] :
       {std::tuple{TaskTrigger::daily, 0, 5, 1}, std::tuple{TaskTrigger::weekly, 23, 59, 0},
        std::tuple{TaskTrigger::weekly, 9, 0, 6}, std::tuple{TaskTrigger::logon, 12, 0, 1}}) {
    task.trigger = trigger;
    task.hour = hour;
    task.minute = minute;
    task.dayOfWeek = day;
    const std::string xml = taskXml(task, "2026-12-08", "PC\\a&b");
    EXPECT_NE(xml.find("<UserId>PC\\a&amp;b</UserId><LogonType>InteractiveToken</LogonType>"), std::string::npos);
    EXPECT_EQ(readTaskXml(xml), task) << xml;
  }
}

// What Task Scheduler returns is laid out and may carry a time zone; a task
// changed there into what the window cannot show reads as other.
TEST(TaskXml, ATaskChangedInTaskSchedulerReadsAsItIsNow) {
  auto stored = [](const std::string& triggers, const std::string& enabled = "true") {
    return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Task version=\"1.4\" "
           "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n  <Triggers>\r\n" +
           triggers + "\r\n  </Triggers>\r\n  <Settings>\r\n    <IdleSettings>\r\n      <StopOnIdleEnd>true"
           "</StopOnIdleEnd>\r\n    </IdleSettings>\r\n    <Enabled>" + enabled +
           "</Enabled>\r\n  </Settings>\r\n  <Actions Context=\"Author\">\r\n    <Exec>\r\n      "
           "<Command>C:\\V\\VelmoraDiskCleaner.exe</Command>\r\n      <Arguments>/auto</Arguments>\r\n    "
           "</Exec>\r\n  </Actions>\r\n</Task>";
  };
  const std::string friday =
      "    <CalendarTrigger>\r\n      <StartBoundary>2026-12-08T18:30:00+01:00</StartBoundary>\r\n"
      "      <ScheduleByWeek>\r\n        <DaysOfWeek>\r\n          <Friday />\r\n        </DaysOfWeek>\r\n"
      "        <WeeksInterval>1</WeeksInterval>\r\n      </ScheduleByWeek>\r\n    </CalendarTrigger>";
  const auto weekly = readTaskXml(stored(friday));
  ASSERT_TRUE(weekly);
  EXPECT_EQ(weekly->trigger, TaskTrigger::weekly);
  EXPECT_EQ((std::tuple{weekly->hour, weekly->minute, weekly->dayOfWeek}), (std::tuple{18, 30, 5}));

  const std::string daily = "<CalendarTrigger><StartBoundary>2026-01-01T07:00:00</StartBoundary>"
                            "<ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay></CalendarTrigger>";
  EXPECT_EQ(readTaskXml(stored(daily))->trigger, TaskTrigger::daily);
  EXPECT_EQ(readTaskXml(stored("<LogonTrigger><UserId>PC\\tester</UserId></LogonTrigger>"))->trigger,
            TaskTrigger::logon);

  for (const std::string& other : {
           std::string("<CalendarTrigger><StartBoundary>2026-01-01T07:00:00</StartBoundary><ScheduleByDay>"
                       "<DaysInterval>2</DaysInterval></ScheduleByDay></CalendarTrigger>"),
           std::string("<CalendarTrigger><StartBoundary>2026-01-01T07:00:00</StartBoundary><ScheduleByWeek>"
                       "<DaysOfWeek><Monday/><Friday/></DaysOfWeek></ScheduleByWeek></CalendarTrigger>"),
           std::string("<CalendarTrigger><StartBoundary>2026-01-01T07:00:00</StartBoundary><Enabled>false"
                       "</Enabled><ScheduleByDay/></CalendarTrigger>"),
           std::string("<TimeTrigger><StartBoundary>2026-01-01T07:00:00</StartBoundary></TimeTrigger>"),
           daily + "<LogonTrigger/>",
           std::string(""),
       })
    EXPECT_EQ(readTaskXml(stored(other))->trigger, TaskTrigger::other) << other;
  EXPECT_EQ(readTaskXml(stored(daily, "false"))->trigger, TaskTrigger::other) << "switched off";
  EXPECT_FALSE(readTaskXml("<Task><Actions><ComHandler><ClassId>{0}</ClassId></ComHandler></Actions></Task>"));
}

}  // namespace
}  // namespace velmora::platform

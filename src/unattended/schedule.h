#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/task_scheduler.h"

// The unattended clean as a task of the Task Scheduler: one task per user, which
// runs the program with /auto from its own folder. The Settings window shows it
// as Task Scheduler holds it and changes it there; nothing else keeps it.
namespace velmora::unattended {

// In the order the Settings window lists them.
enum class ScheduleKind { never, daily, weekly, logon, other };

struct Schedule {
  ScheduleKind kind = ScheduleKind::never;
  int hour = 12;
  int minute = 0;
  int dayOfWeek = 1;  // 0 Sunday to 6 Saturday.

  friend bool operator==(const Schedule&, const Schedule&) = default;
};

// "Velmora Disk Cleaner\Clean <user name>".
std::string scheduleTaskPath(std::string_view userName);

// The schedule Task Scheduler holds now: never when there is no task, other when
// the task was changed outside into something the window cannot show. status
// says whether it could be asked (unavailable, failed: error is the code).
struct ScheduleReading {
  Schedule schedule;
  platform::TaskStatus status = platform::TaskStatus::absent;
  std::uint32_t error = 0;
};
ScheduleReading readSchedule(platform::TaskScheduler& scheduler, std::string_view taskPath);

// Registers, replaces or (for never) removes the task so that it runs the program
// at exePath with /auto. 0 on success, else the code the service refused with.
std::uint32_t applySchedule(platform::TaskScheduler& scheduler, std::string_view taskPath,
                          const Schedule& schedule, std::string_view exePath);

// A time typed as "H:MM" or "HH:MM" on the 24-hour clock; nothing for anything
// else.
struct ClockTime {
  int hour = 0;
  int minute = 0;
};
std::optional<ClockTime> readClockTime(std::string_view text);
std::string clockTimeText(int hour, int minute);

}  // namespace velmora::unattended

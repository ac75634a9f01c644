#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system_info.h"
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

// The names of the running account's task: "Velmora Disk Cleaner\Clean <user
// name> (<security identifier>)", which no other account shares (a local and a
// domain account may have one user name, never one identifier), and the name
// earlier versions gave it, "Velmora Disk Cleaner\Clean <user name>". Nothing
// when the user's name or identifier cannot be read.
struct ScheduleTaskNames {
  std::string current;
  std::string earlier;
};
std::optional<ScheduleTaskNames> scheduleTaskNames(const platform::SystemInfo& system);

// The schedule Task Scheduler holds now: never when there is no task, other when
// the task was changed outside into something the window cannot show. status
// says whether it could be asked (unavailable, failed: error is the code).
//
// With no task of the current name, the account's own task of the earlier name
// is shown, so that an existing schedule is neither lost nor doubled: earlierTask
// then names it, for the next change to take it over. A task of the earlier name
// that runs as another account (of the same user name) is not this account's, and
// is left alone; so is one the service denies this account, for the same reason.
// Any other failure to read it is reported as a failure to read the schedule.
struct ScheduleReading {
  Schedule schedule;
  platform::TaskStatus status = platform::TaskStatus::absent;
  std::uint32_t error = 0;
  std::string earlierTask;
};
ScheduleReading readSchedule(platform::TaskScheduler& scheduler, const ScheduleTaskNames& names);

// Registers, replaces or (for never) removes the task so that it runs the program
// at exePath with /auto; then removes earlierTask, when given (see readSchedule),
// which the task just registered replaces. 0 on success, else the code the
// service refused with.
std::uint32_t applySchedule(platform::TaskScheduler& scheduler, std::string_view taskPath,
                            const Schedule& schedule, std::string_view exePath,
                            std::string_view earlierTask = {});

// A time typed as "H:MM" or "HH:MM" on the 24-hour clock; nothing for anything
// else.
struct ClockTime {
  int hour = 0;
  int minute = 0;
};
std::optional<ClockTime> readClockTime(std::string_view text);
std::string clockTimeText(int hour, int minute);

}  // namespace velmora::unattended

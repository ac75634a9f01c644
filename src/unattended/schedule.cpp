#include "unattended/schedule.h"

#include <cctype>

#include "settings/folders.h"

namespace velmora::unattended {
namespace {

platform::TaskTrigger triggerOf(ScheduleKind kind) {
  switch (kind) {
    case ScheduleKind::daily: return platform::TaskTrigger::daily;
    case ScheduleKind::weekly: return platform::TaskTrigger::weekly;
    case ScheduleKind::logon: return platform::TaskTrigger::logon;
    default: return platform::TaskTrigger::other;
  }
}

ScheduleKind kindOf(platform::TaskTrigger trigger) {
  switch (trigger) {
    case platform::TaskTrigger::daily: return ScheduleKind::daily;
    case platform::TaskTrigger::weekly: return ScheduleKind::weekly;
    case platform::TaskTrigger::logon: return ScheduleKind::logon;
    default: return ScheduleKind::other;
  }
}

// E_ACCESSDENIED, as Task Scheduler refuses a task of another account.
constexpr std::uint32_t kAccessDenied = 0x80070005u;

ScheduleReading readingOf(const platform::TaskReading& read) {
  ScheduleReading reading;
  reading.status = read.status;
  reading.error = read.error;
  if (read.status == platform::TaskStatus::found)
    reading.schedule = {kindOf(read.task.trigger), read.task.hour, read.task.minute, read.task.dayOfWeek};
  return reading;
}

}  // namespace

std::optional<ScheduleTaskNames> scheduleTaskNames(const platform::SystemInfo& system) {
  const std::optional<std::string> user = system.userName();
  const std::optional<std::string> sid = system.currentUserSid();
  if (!user || user->empty() || !sid || sid->empty()) return std::nullopt;
  const std::string earlier = "Velmora Disk Cleaner\\Clean " + *user;
  return ScheduleTaskNames{earlier + " (" + *sid + ")", earlier};
}

ScheduleReading readSchedule(platform::TaskScheduler& scheduler, const ScheduleTaskNames& names) {
  const platform::TaskReading read = scheduler.readTask(names.current);
  if (read.status != platform::TaskStatus::absent) return readingOf(read);
  const platform::TaskReading earlier = scheduler.readTask(names.earlier);
  // Another account's task of the same user name: the service names that account
  // in the principal, or (to an account that is no administrator) refuses to show
  // it at all.
  if (earlier.status == platform::TaskStatus::found && !earlier.callersOwn) return readingOf(read);
  if (earlier.status == platform::TaskStatus::failed && earlier.error == kAccessDenied) return readingOf(read);
  ScheduleReading reading = readingOf(earlier);
  if (earlier.status == platform::TaskStatus::found) reading.earlierTask = names.earlier;
  return reading;
}

std::uint32_t applySchedule(platform::TaskScheduler& scheduler, std::string_view taskPath,
                            const Schedule& schedule, std::string_view exePath, std::string_view earlierTask) {
  std::uint32_t error = 0;
  if (schedule.kind == ScheduleKind::never) {
    error = scheduler.deleteTask(taskPath);
  } else {
    platform::TaskDefinition task;
    task.trigger = triggerOf(schedule.kind);
    task.hour = schedule.hour;
    task.minute = schedule.minute;
    task.dayOfWeek = schedule.dayOfWeek;
    task.program = std::string(exePath);
    task.arguments = "/auto";
    // The program's folder, written without its trailing backslash as Task
    // Scheduler shows a working folder, except for a drive's root ("D:\").
    task.workingFolder = settings::folderPart(exePath);
    if (task.workingFolder.size() > 3) task.workingFolder.pop_back();
    error = scheduler.registerTask(taskPath, task);
  }
  // The earlier task goes only once the new one stands: a refusal leaves the
  // schedule running under its old name rather than none.
  if (error == 0 && !earlierTask.empty()) error = scheduler.deleteTask(earlierTask);
  return error;
}

std::optional<ClockTime> readClockTime(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
    return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != colon && !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  ClockTime time;
  time.hour = std::stoi(std::string(text.substr(0, colon)));
  time.minute = std::stoi(std::string(text.substr(colon + 1)));
  if (time.hour > 23 || time.minute > 59) return std::nullopt;
  return time;
}

std::string clockTimeText(int hour, int minute) {
  std::string text;
  for (int part : {hour, minute}) {
    if (!text.empty()) text += ':';
    if (part < 10) text += '0';
    text += std::to_string(part);
  }
  return text;
}

}  // namespace velmora::unattended

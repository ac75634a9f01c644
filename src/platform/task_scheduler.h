#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One task of the Task Scheduler, as the current user registers, reads back and
// removes it (ITaskService of Task Scheduler 2.0). The task runs only while its
// user is logged on (an interactive token), so it runs in that user's session, as
// that user, without a stored password. A run missed while the computer was off
// starts when it is available again, a run is stopped after two hours, and a run
// due while another still runs is not started.
namespace velmora::platform {

enum class TaskTrigger {
  daily,   // Every day at hour:minute.
  weekly,  // Every week on dayOfWeek at hour:minute.
  logon,   // When the user logs on.
  other,   // Read back only: a task changed outside to something of no kind above.
};

struct TaskDefinition {
  TaskTrigger trigger = TaskTrigger::daily;
  int hour = 12;       // 0-23, local time.
  int minute = 0;      // 0-59.
  int dayOfWeek = 1;   // 0 Sunday to 6 Saturday, for weekly.
  std::string program;        // The full path of the program to start.
  std::string arguments;
  std::string workingFolder;

  friend bool operator==(const TaskDefinition&, const TaskDefinition&) = default;
};

// unavailable: the Task Scheduler service is not running (stopped, or disabled
// by a policy), so nothing can be read or changed until it runs.
enum class TaskStatus { found, absent, unavailable, failed };

struct TaskReading {
  TaskStatus status = TaskStatus::absent;
  TaskDefinition task;      // For found.
  std::uint32_t error = 0;  // For unavailable and failed: the HRESULT of the call that failed.
  // For found: whether the task runs as the calling account, as its principal
  // names it (by name or security identifier); false for another account's task,
  // which an administrator can read too.
  bool callersOwn = true;
};

class TaskScheduler {
 public:
  virtual ~TaskScheduler() = default;

  // path is "Folder\Name" below the scheduler's root.
  virtual TaskReading readTask(std::string_view path) = 0;
  // Registers the task, or replaces the one of that path. 0 on success, else the
  // HRESULT the service refused it with.
  virtual std::uint32_t registerTask(std::string_view path, const TaskDefinition& task) = 0;
  // Removes the task; a task that is not there is no failure. 0 on success.
  virtual std::uint32_t deleteTask(std::string_view path) = 0;
};

}  // namespace velmora::platform

#pragma once

#include <string>

namespace velmora::e2e {

// The Task Scheduler's service ("Schedule") switched off for as long as the object
// lives, as a policy switches it off on Windows: its start type set to disabled
// and the service stopped. The destructor gives it back the start type it had and
// starts it again when it ran before. Under Wine the service is started by
// services.exe a few seconds after the prefix boots, and not at all while it is
// disabled.
class TaskSchedulerOff {
 public:
  TaskSchedulerOff();
  ~TaskSchedulerOff();
  TaskSchedulerOff(const TaskSchedulerOff&) = delete;
  TaskSchedulerOff& operator=(const TaskSchedulerOff&) = delete;

  // Empty once the service is stopped and disabled, else what failed.
  const std::string& failure() const { return failure_; }

 private:
  std::string failure_;
  unsigned long startType_ = 0;
  bool wasRunning_ = false;
  bool changed_ = false;
};

}  // namespace velmora::e2e

#pragma once

#include "platform/task_scheduler.h"

namespace velmora::platform {

// The current user's tasks through Task Scheduler 2.0 (ITaskService), registered
// from their XML definition (ITaskFolder::RegisterTask with an interactive token)
// and read back as the service keeps it (IRegisteredTask::get_Xml). Each call
// connects on its own, with COM for its length, on the calling thread.
class Win32TaskScheduler final : public TaskScheduler {
 public:
  TaskReading readTask(std::string_view path) override;
  std::uint32_t registerTask(std::string_view path, const TaskDefinition& task) override;
  std::uint32_t deleteTask(std::string_view path) override;
};

}  // namespace velmora::platform

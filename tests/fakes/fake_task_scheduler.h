#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/task_scheduler.h"

namespace velmora::fakes {

// An in-memory Task Scheduler: task paths (case-insensitive, as the service's) to
// definitions, which a test changes as a user would in Task Scheduler. refusal and
// readFailure, when set, are what every change or every reading fails with. The
// tasks of othersTasks run as another account than the caller's.
class FakeTaskScheduler final : public platform::TaskScheduler {
 public:
  platform::TaskReading readTask(std::string_view path) override;
  std::string registerTask(std::string_view path, const platform::TaskDefinition& task) override;
  std::string deleteTask(std::string_view path) override;

  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::map<std::string, platform::TaskDefinition, NoCase> tasks;
  std::set<std::string, NoCase> othersTasks;
  std::string refusal;
  std::string readFailure;
};

}  // namespace velmora::fakes

#pragma once

#include <map>
#include <string>

#include "platform/task_scheduler.h"

namespace velmora::fakes {

// An in-memory Task Scheduler: a table of task paths (compared case-insensitively,
// as the service compares them) to definitions, which a test reads and changes
// directly to stand for a change made in Task Scheduler. refusal, when set, is the
// reason every registration and removal fails with, as under a policy that forbids
// tasks; readFailure makes reading fail the same way.
class FakeTaskScheduler final : public platform::TaskScheduler {
 public:
  platform::TaskReading readTask(std::string_view path) override;
  std::string registerTask(std::string_view path, const platform::TaskDefinition& task) override;
  std::string deleteTask(std::string_view path) override;

  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::map<std::string, platform::TaskDefinition, NoCase> tasks;
  std::string refusal;
  std::string readFailure;
};

}  // namespace velmora::fakes

#pragma once

#include <cstdint>
#include <future>
#include <map>
#include <set>
#include <string>

#include "platform/task_scheduler.h"

namespace velmora::fakes {

// An in-memory Task Scheduler: task paths (case-insensitive, as the service's) to
// definitions, which a test changes as a user would in Task Scheduler. refusal and
// readFailure, when set, are the HRESULTs every change or every reading fails
// with; stopped is the service not running, which every call answers with
// SCHED_E_SERVICE_NOT_RUNNING as Windows' does. A reading waits for readsHeld when
// a test set it, as a slow service keeps its caller waiting. The tasks of
// othersTasks run as another account than the caller's; with othersDenied, reading
// them fails with E_ACCESSDENIED, as it does for a caller who is no administrator.
class FakeTaskScheduler final : public platform::TaskScheduler {
 public:
  static constexpr std::uint32_t kServiceNotRunning = 0x80041315u;

  platform::TaskReading readTask(std::string_view path) override;
  std::uint32_t registerTask(std::string_view path, const platform::TaskDefinition& task) override;
  std::uint32_t deleteTask(std::string_view path) override;

  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::map<std::string, platform::TaskDefinition, NoCase> tasks;
  std::set<std::string, NoCase> othersTasks;
  bool othersDenied = false;
  std::uint32_t refusal = 0;
  std::uint32_t readFailure = 0;
  bool stopped = false;
  std::shared_future<void> readsHeld;
};

}  // namespace velmora::fakes

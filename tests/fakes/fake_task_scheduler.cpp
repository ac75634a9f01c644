#include "fakes/fake_task_scheduler.h"

#include <algorithm>
#include <cctype>

namespace velmora::fakes {

bool FakeTaskScheduler::NoCase::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) < std::tolower(y);
  });
}

platform::TaskReading FakeTaskScheduler::readTask(std::string_view path) {
  if (readsHeld.valid()) readsHeld.wait();
  if (stopped) return {platform::TaskStatus::unavailable, {}, kServiceNotRunning};
  if (readFailure != 0) return {platform::TaskStatus::failed, {}, readFailure};
  const auto found = tasks.find(std::string(path));
  if (found == tasks.end()) return {platform::TaskStatus::absent, {}, 0};
  if (othersDenied && othersTasks.contains(found->first)) return {platform::TaskStatus::failed, {}, 0x80070005u};
  return {platform::TaskStatus::found, found->second, 0, !othersTasks.contains(found->first)};
}

std::uint32_t FakeTaskScheduler::registerTask(std::string_view path, const platform::TaskDefinition& task) {
  if (stopped) return kServiceNotRunning;
  if (refusal != 0) return refusal;
  tasks[std::string(path)] = task;
  return 0;
}

std::uint32_t FakeTaskScheduler::deleteTask(std::string_view path) {
  if (stopped) return kServiceNotRunning;
  if (refusal != 0) return refusal;
  tasks.erase(std::string(path));
  return 0;
}

}  // namespace velmora::fakes

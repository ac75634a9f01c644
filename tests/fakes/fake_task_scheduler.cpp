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
  if (!readFailure.empty()) return {platform::TaskStatus::failed, {}, readFailure};
  const auto found = tasks.find(std::string(path));
  if (found == tasks.end()) return {platform::TaskStatus::absent, {}, {}};
  return {platform::TaskStatus::found, found->second, {}, !othersTasks.contains(found->first)};
}

std::string FakeTaskScheduler::registerTask(std::string_view path, const platform::TaskDefinition& task) {
  if (!refusal.empty()) return refusal;
  tasks[std::string(path)] = task;
  return {};
}

std::string FakeTaskScheduler::deleteTask(std::string_view path) {
  if (!refusal.empty()) return refusal;
  tasks.erase(std::string(path));
  return {};
}

}  // namespace velmora::fakes

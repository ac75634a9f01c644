#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/task_scheduler.h"

// The task definition in the Task Scheduler's XML schema: written to register a
// task, and read back from what the service holds, which may be a task the user
// changed in Task Scheduler since.
namespace velmora::platform {

// The date the calendar trigger starts from, "YYYY-MM-DD".
std::string taskXml(const TaskDefinition& task, std::string_view startDate, std::string_view userId);

// The definition the XML holds; the trigger is TaskTrigger::other when it is not
// exactly one enabled daily, weekly (one day, every week) or log-on trigger.
// Nothing when the XML holds no program to start.
std::optional<TaskDefinition> readTaskXml(std::string_view xml);

// The account the task runs as, as its principal names it ("DOMAIN\user", a bare
// user name or a security identifier "S-1-5-..."); empty when it names none.
std::string taskPrincipalUser(std::string_view xml);

}  // namespace velmora::platform

#include "platform/task_xml.h"

#include <array>
#include <cstdio>

namespace velmora::platform {
namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string unescaped(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, char>, 5> kEntities = {
      {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool matched = false;
    if (text[i] == '&')
      for (const auto& [entity, c] : kEntities)
        if (text.substr(i, entity.size()) == entity) {
          out += c;
          i += entity.size();
          matched = true;
          break;
        }
    if (!matched) out += text[i++];
  }
  return out;
}

// Where the element name starts with "<name" followed by a blank, "/" or ">",
// from pos on; npos when there is none.
std::size_t findOpening(std::string_view xml, std::string_view name, std::size_t pos = 0) {
  std::string open(1, '<');
  open += name;
  for (std::size_t at = xml.find(open, pos); at != std::string_view::npos; at = xml.find(open, at + 1)) {
    const std::size_t after = at + open.size();
    if (after < xml.size() && (xml[after] == '>' || xml[after] == '/' || xml[after] == ' ' ||
                               xml[after] == '\t' || xml[after] == '\r' || xml[after] == '\n'))
      return at;
  }
  return std::string_view::npos;
}

int countElements(std::string_view xml, std::string_view name) {
  int count = 0;
  for (std::size_t at = findOpening(xml, name); at != std::string_view::npos; at = findOpening(xml, name, at + 1))
    ++count;
  return count;
}

// The text between <name ...> and </name>, the inner markup included; nothing for
// an absent or empty (<name/>) element.
std::optional<std::string_view> element(std::string_view xml, std::string_view name) {
  const std::size_t open = findOpening(xml, name);
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t end = xml.find('>', open);
  if (end == std::string_view::npos || xml[end - 1] == '/') return std::nullopt;
  std::string closing = "</";
  closing += name;
  closing += '>';
  const std::size_t close = xml.find(closing, end);
  if (close == std::string_view::npos) return std::nullopt;
  return xml.substr(end + 1, close - end - 1);
}

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

std::string value(std::string_view xml, std::string_view name) {
  const auto inner = element(xml, name);
  return inner ? unescaped(trimmed(*inner)) : std::string();
}

// "YYYY-MM-DDTHH:MM:SS", possibly with a zone after it.
bool readStartTime(std::string_view trigger, TaskDefinition& task) {
  const std::string start = value(trigger, "StartBoundary");
  const std::size_t t = start.find('T');
  int hour = -1, minute = -1;
  if (t == std::string::npos || std::sscanf(start.c_str() + t + 1, "%2d:%2d", &hour, &minute) != 2) return false;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
  task.hour = hour;
  task.minute = minute;
  return true;
}

bool disabled(std::string_view trigger) { return value(trigger, "Enabled") == "false"; }

// One calendar trigger that repeats every day, or every week on one day.
TaskTrigger readCalendar(std::string_view trigger, TaskDefinition& task) {
  if (disabled(trigger) || !readStartTime(trigger, task) || element(trigger, "Repetition"))
    return TaskTrigger::other;
  if (const auto byDay = element(trigger, "ScheduleByDay")) {
    const std::string interval = value(*byDay, "DaysInterval");
    return interval.empty() || interval == "1" ? TaskTrigger::daily : TaskTrigger::other;
  }
  const auto byWeek = element(trigger, "ScheduleByWeek");
  if (!byWeek) return TaskTrigger::other;
  const std::string interval = value(*byWeek, "WeeksInterval");
  const auto days = element(*byWeek, "DaysOfWeek");
  if (!(interval.empty() || interval == "1") || !days) return TaskTrigger::other;
  int found = 0;
  for (std::size_t day = 0; day < kDayNames.size(); ++day)
    if (findOpening(*days, kDayNames[day]) != std::string_view::npos) {
      task.dayOfWeek = static_cast<int>(day);
      ++found;
    }
  return found == 1 ? TaskTrigger::weekly : TaskTrigger::other;
}

TaskTrigger readTrigger(std::string_view xml, TaskDefinition& task) {
  const auto triggers = element(xml, "Triggers");
  if (!triggers) return TaskTrigger::other;
  const int calendars = countElements(*triggers, "CalendarTrigger");
  const int logons = countElements(*triggers, "LogonTrigger");
  // Any other kind of trigger (boot, idle, an event, a time) counts as well.
  int all = 0;
  for (std::size_t at = triggers->find('<'); at != std::string_view::npos; at = triggers->find('<', at + 1)) {
    const std::string_view name = triggers->substr(at + 1, triggers->find_first_of(" \t\r\n/>", at + 1) - at - 1);
    if (name.ends_with("Trigger")) ++all;
  }
  if (all != 1) return TaskTrigger::other;
  if (calendars == 1) return readCalendar(*element(*triggers, "CalendarTrigger"), task);
  if (logons == 1) {
    const auto logon = element(*triggers, "LogonTrigger");
    return logon && disabled(*logon) ? TaskTrigger::other : TaskTrigger::logon;
  }
  return TaskTrigger::other;
}

}  // namespace

std::string taskXml(const TaskDefinition& task, std::string_view startDate, std::string_view userId) {
  const std::string user = escaped(userId);
  const std::string start = "<StartBoundary>" + std::string(startDate) + "T" + (task.hour < 10 ? "0" : "") +
                            std::to_string(task.hour) + ":" + (task.minute < 10 ? "0" : "") +
                            std::to_string(task.minute) + ":00</StartBoundary>";
  std::string trigger;
  switch (task.trigger) {
    case TaskTrigger::daily:
      trigger = "<CalendarTrigger>" + start + "<Enabled>true</Enabled><ScheduleByDay><DaysInterval>1</DaysInterval>"
                "</ScheduleByDay></CalendarTrigger>";
      break;
    case TaskTrigger::weekly:
      trigger = "<CalendarTrigger>" + start + "<Enabled>true</Enabled><ScheduleByWeek><DaysOfWeek><" +
                std::string(kDayNames[static_cast<std::size_t>(task.dayOfWeek % 7)]) +
                " /></DaysOfWeek><WeeksInterval>1</WeeksInterval></ScheduleByWeek></CalendarTrigger>";
      break;
    case TaskTrigger::logon:
    case TaskTrigger::other:
      // A log-on trigger without a user would fire at anyone's log-on, which
      // only an administrator may register.
      trigger = "<LogonTrigger><Enabled>true</Enabled><UserId>" + user + "</UserId></LogonTrigger>";
      break;
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
         "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
         "<RegistrationInfo><Description>Cleans junk files with the choices the Files page remembers."
         "</Description></RegistrationInfo>\r\n"
         "<Triggers>" + trigger + "</Triggers>\r\n"
         "<Principals><Principal id=\"Author\"><UserId>" + user +
         "</UserId><LogonType>InteractiveToken</LogonType><RunLevel>LeastPrivilege</RunLevel></Principal>"
         "</Principals>\r\n"
         // A laptop on battery still cleans: Task Scheduler's defaults would skip
         // every run begun on battery and stop one when the plug is pulled.
         "<Settings><MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>"
         "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
         "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>"
         "<StartWhenAvailable>true</StartWhenAvailable><ExecutionTimeLimit>PT2H</ExecutionTimeLimit>"
         "<Enabled>true</Enabled></Settings>\r\n"
         "<Actions Context=\"Author\"><Exec><Command>" + escaped(task.program) + "</Command><Arguments>" +
         escaped(task.arguments) + "</Arguments><WorkingDirectory>" + escaped(task.workingFolder) +
         "</WorkingDirectory></Exec></Actions>\r\n"
         "</Task>\r\n";
}

std::optional<TaskDefinition> readTaskXml(std::string_view xml) {
  const auto exec = element(xml, "Exec");
  if (!exec) return std::nullopt;
  TaskDefinition task;
  task.program = value(*exec, "Command");
  if (task.program.empty()) return std::nullopt;
  task.arguments = value(*exec, "Arguments");
  task.workingFolder = value(*exec, "WorkingDirectory");
  task.trigger = readTrigger(xml, task);
  // A task switched off in Task Scheduler does not run, whatever its trigger.
  if (const auto settings = element(xml, "Settings"); settings && value(*settings, "Enabled") == "false")
    task.trigger = TaskTrigger::other;
  return task;
}

std::string taskPrincipalUser(std::string_view xml) {
  // The log-on trigger holds a UserId too: only the principal's counts.
  const auto principals = element(xml, "Principals");
  const auto principal = principals ? element(*principals, "Principal") : std::nullopt;
  return principal ? value(*principal, "UserId") : std::string();
}

}  // namespace velmora::platform

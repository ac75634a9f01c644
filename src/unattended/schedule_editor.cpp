#include "unattended/schedule_editor.h"

#include <ctime>
#include <vector>

#include "platform/system_info.h"
#include "unattended/last_run.h"

namespace velmora::unattended {
namespace {

std::vector<std::string> commaList(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
    items.push_back(text.substr(start, comma - start));
  items.push_back(text.substr(start));
  return items;
}

// The day box lists Monday first.
int dayIndex(int dayOfWeek) { return (dayOfWeek + 6) % 7; }
int dayOfWeekAt(int index) { return (index + 1) % 7; }

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

std::string fileNameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

constexpr const char* kNoAccount = "the user's name or security identifier cannot be read";

}  // namespace

ScheduleEditor::ScheduleEditor(platform::Services& services, std::string exePath, ScheduleControls controls)
    : services_(services), exePath_(std::move(exePath)), controls_(controls) {
  controls_.kind.onChange = [this] { kindChanged(); };
}

std::string ScheduleEditor::load(const ScheduleTexts& texts, int today) {
  texts_ = texts;
  today_ = today;
  std::string error;
  Schedule schedule;
  earlierTask_.clear();
  names_ = scheduleTaskNames(services_.system);
  if (names_) {
    ScheduleReading reading = readSchedule(services_.scheduler, *names_);
    error = reading.error;
    schedule = reading.schedule;
    earlierTask_ = reading.earlierTask;
  } else {
    error = kNoAccount;
  }
  show(schedule);
  controls_.kind.setEnabled(names_.has_value() && error.empty());

  // The report's name is enough: it says the time, and the folder is the program's.
  const std::optional<LastRun> run = findLastRun(services_, folderOf(exePath_));
  if (run) {
    LastRun named = *run;
    named.path = fileNameOf(run->path);
    controls_.lastRun.setCaption(lastRunText(texts_.lastRun, named));
  } else {
    controls_.lastRun.setCaption({});
  }
  return error;
}

void ScheduleEditor::show(const Schedule& schedule) {
  shown_ = schedule;
  std::vector<std::string> kinds = commaList(texts_.kinds);
  kinds.resize(4);
  // A task changed outside into something these boxes cannot say keeps a choice
  // of its own, so that Ok leaves it as it is.
  if (schedule.kind == ScheduleKind::other) kinds.push_back(texts_.other);
  controls_.kind.setItems(kinds);
  controls_.kind.setItemIndex(static_cast<int>(schedule.kind));
  std::vector<std::string> days = commaList(texts_.days);
  days.resize(7);
  controls_.day.setItems(days);
  const bool timed = schedule.kind == ScheduleKind::daily || schedule.kind == ScheduleKind::weekly;
  controls_.day.setItemIndex(dayIndex(schedule.kind == ScheduleKind::weekly ? schedule.dayOfWeek : today_));
  controls_.time.setText(timed ? clockTimeText(schedule.hour, schedule.minute) : "12:00");
  kindChanged();
}

void ScheduleEditor::kindChanged() {
  const auto kind = static_cast<ScheduleKind>(controls_.kind.itemIndex());
  controls_.time.setEnabled(controls_.kind.enabled() &&
                            (kind == ScheduleKind::daily || kind == ScheduleKind::weekly));
  controls_.day.setEnabled(controls_.kind.enabled() && kind == ScheduleKind::weekly);
}

std::optional<Schedule> ScheduleEditor::chosen() const {
  const auto kind = static_cast<ScheduleKind>(controls_.kind.itemIndex());
  if (kind == ScheduleKind::other || controls_.kind.itemIndex() < 0) return shown_;
  Schedule schedule;
  schedule.kind = kind;
  if (kind == ScheduleKind::never || kind == ScheduleKind::logon) return schedule;
  const std::optional<ClockTime> time = readClockTime(controls_.time.text());
  if (!time) return std::nullopt;
  schedule.hour = time->hour;
  schedule.minute = time->minute;
  if (kind == ScheduleKind::weekly) schedule.dayOfWeek = dayOfWeekAt(controls_.day.itemIndex());
  return schedule;
}

std::string ScheduleEditor::save(const Schedule& schedule) {
  if (!names_) return kNoAccount;
  const std::string error =
      applySchedule(services_.scheduler, names_->current, schedule, exePath_, earlierTask_);
  if (error.empty()) {
    shown_ = schedule;
    earlierTask_.clear();
    return {};
  }
  // The boxes show what the service holds after the refusal.
  ScheduleReading reading = readSchedule(services_.scheduler, *names_);
  earlierTask_ = reading.earlierTask;
  show(reading.schedule);
  return error;
}

int localDayOfWeek() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return local ? local->tm_wday : 1;
}

}  // namespace velmora::unattended

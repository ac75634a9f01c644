#include "unattended/schedule_editor.h"

#include <condition_variable>
#include <ctime>
#include <mutex>
#include <system_error>
#include <thread>
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

// E_UNEXPECTED: what a reading that threw stands for.
constexpr std::uint32_t kUnexpected = 0x8000FFFFu;

// How long the editor's end waits for reading threads, which use the services.
constexpr std::chrono::seconds kThreadsLimit(5);

ScheduleReading readGuarded(platform::TaskScheduler& scheduler, const ScheduleTaskNames& names) {
  try {
    return readSchedule(scheduler, names);
  } catch (...) {
    ScheduleReading failed;
    failed.status = platform::TaskStatus::failed;
    failed.error = kUnexpected;
    return failed;
  }
}

}  // namespace

// One reading of the task, shared by its thread and the editor.
struct ScheduleEditor::Answer {
  std::mutex mutex;
  std::condition_variable changed;
  std::optional<ScheduleReading> reading;
  bool ended = false;  // The thread has done everything it does.
};

ScheduleEditor::ScheduleEditor(widgets::Application& app, platform::Services& services, std::string exePath,
                               ScheduleControls controls)
    : app_(app), services_(services), exePath_(std::move(exePath)), controls_(controls) {
  controls_.kind.onChange = [this] { kindChanged(); };
}

ScheduleEditor::~ScheduleEditor() {
  run_.stop();
  const auto deadline = std::chrono::steady_clock::now() + kThreadsLimit;
  for (const std::shared_ptr<Answer>& answer : threads_) {
    std::unique_lock lock(answer->mutex);
    answer->changed.wait_until(lock, deadline, [&] { return answer->ended; });
  }
}

void ScheduleEditor::load(const ScheduleTexts& texts, int today) {
  texts_ = texts;
  today_ = today;

  // The report's name is enough: it says the time, and the folder is the program's.
  const std::optional<LastRun> run = findLastRun(services_, folderOf(exePath_));
  lastRunCaption_.clear();
  if (run) {
    LastRun named = *run;
    named.path = fileNameOf(run->path);
    lastRunCaption_ = lastRunText(texts_.lastRun, named);
  }

  // A reading of an earlier showing that has not answered yet is of no use now.
  run_.stop();
  run_ = widgets::RunToken();
  awaited_.reset();
  earlierTask_.clear();
  names_ = scheduleTaskNames(services_.system);
  if (names_) {
    state_ = State::reading;
    controls_.kind.setItems({texts_.reading});
    controls_.kind.setItemIndex(0);
    controls_.kind.setEnabled(false);
    controls_.time.setText({});
    controls_.day.setItems({});
    kindChanged();
    controls_.lastRun.setCaption(lastRunCaption_);
    startReading(*names_);
  } else {
    state_ = State::failed;
    showUnknown(texts_.unreadable);
  }
}

void ScheduleEditor::startReading(const ScheduleTaskNames& names) {
  std::erase_if(threads_, [](const std::shared_ptr<Answer>& answer) {
    std::lock_guard lock(answer->mutex);
    return answer->ended;
  });
  auto answer = std::make_shared<Answer>();
  awaited_ = answer;
  platform::TaskScheduler& scheduler = services_.scheduler;
  const widgets::UiChannel channel = app_.channel(run_);
  try {
    std::thread([this, answer, channel, &scheduler, names] {
      ScheduleReading reading = readGuarded(scheduler, names);
      {
        std::lock_guard lock(answer->mutex);
        answer->reading = std::move(reading);
      }
      answer->changed.notify_all();
      // Runs on the UI thread, unless the editor has gone or begun another reading.
      channel.post([this, answer] { take(answer); });
      {
        std::lock_guard lock(answer->mutex);
        answer->ended = true;
      }
      answer->changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    // No thread could be made: the window waits for the service as it must.
    answer->reading = readGuarded(scheduler, names);
    answer->ended = true;
    take(answer);
    return;
  }
  threads_.push_back(answer);
}

void ScheduleEditor::take(const std::shared_ptr<Answer>& answer) {
  if (answer != awaited_ || state_ != State::reading) return;
  std::optional<ScheduleReading> reading;
  {
    std::lock_guard lock(answer->mutex);
    reading = answer->reading;
  }
  if (!reading) return;
  awaited_.reset();
  showReading(*reading);
}

bool ScheduleEditor::awaitReading(std::chrono::milliseconds limit) {
  if (state_ == State::reading && awaited_) {
    const std::shared_ptr<Answer> answer = awaited_;
    bool arrived = false;
    {
      std::unique_lock lock(answer->mutex);
      arrived = answer->changed.wait_for(lock, limit, [&] { return answer->reading.has_value(); });
    }
    if (arrived) {
      take(answer);
    } else {
      // Too late for this showing: the boxes keep saying they are reading.
      run_.stop();
      awaited_.reset();
    }
  }
  return state_ == State::read;
}

void ScheduleEditor::showReading(const ScheduleReading& reading) {
  switch (reading.status) {
    case platform::TaskStatus::unavailable:
      state_ = State::unavailable;
      showUnknown(texts_.unavailable);
      return;
    case platform::TaskStatus::failed:
      state_ = State::failed;
      showUnknown(texts_.unreadable + " " + (describeError ? describeError(reading.error) : std::string()));
      return;
    default:
      state_ = State::read;
      earlierTask_ = reading.earlierTask;
      controls_.kind.setEnabled(true);
      controls_.lastRun.setCaption(lastRunCaption_);
      show(reading.schedule);
  }
}

void ScheduleEditor::showUnknown(const std::string& why) {
  controls_.kind.setItems({});
  controls_.kind.setEnabled(false);
  controls_.time.setText({});
  controls_.day.setItems({});
  kindChanged();
  controls_.lastRun.setCaption(why);
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
  // Boxes that do not show the task ask for nothing but what is there.
  if (state_ != State::read || kind == ScheduleKind::other || controls_.kind.itemIndex() < 0) return shown_;
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

std::uint32_t ScheduleEditor::save(const Schedule& schedule) {
  if (state_ != State::read || !names_) return 0;
  const std::uint32_t error =
      applySchedule(services_.scheduler, names_->current, schedule, exePath_, earlierTask_);
  if (error == 0) {
    shown_ = schedule;
    earlierTask_.clear();
    return 0;
  }
  // The boxes show what the service holds after the refusal.
  showReading(readGuarded(services_.scheduler, *names_));
  return error;
}

int localDayOfWeek() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return local ? local->tm_wday : 1;
}

}  // namespace velmora::unattended

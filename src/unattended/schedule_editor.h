#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "unattended/schedule.h"
#include "widgets/application.h"
#include "widgets/combo_box.h"
#include "widgets/edits.h"
#include "widgets/label.h"
#include "widgets/run_token.h"

namespace velmora::unattended {

// The Settings window's boxes of the schedule.
struct ScheduleControls {
  widgets::ComboBox& kind;  // Never, every day, every week, at log-on (and other).
  widgets::Edit& time;      // HH:MM.
  widgets::ComboBox& day;   // Monday to Sunday.
  widgets::Label& lastRun;  // The last run, or why the schedule cannot be shown.
};

// The texts the boxes show, in the interface language: kinds and days with
// commas between their items, lastRun with %1, %2 and %3 (see lastRunText);
// reading while Task Scheduler has not answered, unavailable when its service is
// not running, unreadable before the system's words when it could not be read.
struct ScheduleTexts {
  std::string kinds;
  std::string other;
  std::string days;
  std::string lastRun;
  std::string reading;
  std::string unavailable;
  std::string unreadable;
};

// Shows the current user's scheduled clean as Task Scheduler holds it, and hands
// back what the user chose. Nothing is kept but what was last read or written,
// so a task changed outside shows as it is at each showing.
//
// Task Scheduler is asked on a thread of its own, so that the window shows at
// once however long the service takes (its first call loads COM and the
// scheduler's library; a service that is not running answers only with an
// error). The thread touches no control: it posts the answer to the UI thread,
// where the boxes fill; an answer that comes after the editor is gone, or after a
// newer reading began, is dropped.
class ScheduleEditor {
 public:
  // exePath is the program the task starts; the user's account names the task.
  ScheduleEditor(widgets::Application& app, platform::Services& services, std::string exePath,
                 ScheduleControls controls);
  // Waits a while for readings still under way, which use the services.
  ~ScheduleEditor();
  ScheduleEditor(const ScheduleEditor&) = delete;
  ScheduleEditor& operator=(const ScheduleEditor&) = delete;

  // The system's words for a code Task Scheduler failed with; set by the window.
  std::function<std::string(std::uint32_t code)> describeError;

  // Shows the last run's report and "Reading..." with the boxes disabled, and
  // starts reading the task; the boxes fill when the answer comes. today is the
  // day of the week (0 Sunday) a new weekly schedule starts on.
  void load(const ScheduleTexts& texts, int today);

  // Waits at most limit for a reading under way and shows its answer. Whether the
  // boxes show what Task Scheduler holds, so that a choice made in them may be
  // saved; false while it is still reading (the answer, should it come later, is
  // dropped), when its service is not running and when it could not be read.
  bool awaitReading(std::chrono::milliseconds limit);

  // Keeps the time and day boxes to the kind chosen.
  void kindChanged();

  // What the boxes ask for; nothing when the time is no time.
  std::optional<Schedule> chosen() const;
  bool changed(const Schedule& schedule) const { return schedule != shown_; }

  // Registers, changes or removes the task, once the boxes show what Task
  // Scheduler holds; 0 on success, else the code it refused with, and the boxes
  // then show what it holds.
  std::uint32_t save(const Schedule& schedule);

 private:
  enum class State { reading, read, unavailable, failed };
  struct Answer;

  void startReading(const ScheduleTaskNames& names);
  // UI thread: shows answer's reading, when it is still the one awaited.
  void take(const std::shared_ptr<Answer>& answer);
  void showReading(const ScheduleReading& reading);
  void show(const Schedule& schedule);
  // The boxes empty and disabled, with why in the label.
  void showUnknown(const std::string& why);

  widgets::Application& app_;
  platform::Services& services_;
  std::string exePath_;
  ScheduleControls controls_;
  std::optional<ScheduleTaskNames> names_;  // Nothing when the user's account is unknown.
  // The account's task under its earlier name, shown until a change replaces it.
  std::string earlierTask_;
  ScheduleTexts texts_;
  int today_ = 1;
  State state_ = State::read;
  Schedule shown_;
  std::string lastRunCaption_;
  // The reading awaited and its run, stopped when a newer one begins or the
  // editor goes; and every reading thread not yet ended, which the destructor
  // waits for.
  std::shared_ptr<Answer> awaited_;
  widgets::RunToken run_;
  std::vector<std::shared_ptr<Answer>> threads_;
};

// The day of the week today, 0 Sunday to 6 Saturday, on the local clock.
int localDayOfWeek();

}  // namespace velmora::unattended

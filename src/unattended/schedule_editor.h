#pragma once

#include <optional>
#include <string>

#include "platform/services.h"
#include "unattended/schedule.h"
#include "widgets/combo_box.h"
#include "widgets/edits.h"
#include "widgets/label.h"

namespace velmora::unattended {

// The Settings window's boxes of the schedule.
struct ScheduleControls {
  widgets::ComboBox& kind;  // Never, every day, every week, at log-on (and other).
  widgets::Edit& time;      // HH:MM.
  widgets::ComboBox& day;   // Monday to Sunday.
  widgets::Label& lastRun;
};

// The texts the boxes show, in the interface language: kinds and days with
// commas between their items, lastRun with %1, %2 and %3 (see lastRunText).
struct ScheduleTexts {
  std::string kinds;
  std::string other;
  std::string days;
  std::string lastRun;
};

// Shows the current user's scheduled clean as Task Scheduler holds it, and hands
// back what the user chose. Nothing is kept but what was last read or written,
// so a task changed outside shows as it is at each showing.
class ScheduleEditor {
 public:
  // exePath is the program the task starts; the user's account names the task.
  ScheduleEditor(platform::Services& services, std::string exePath, ScheduleControls controls);

  // Fills the boxes from the task and the last run's report; today is the day of
  // the week (0 Sunday) a new weekly schedule starts on. What Task Scheduler said
  // when it could not be read, else empty.
  std::string load(const ScheduleTexts& texts, int today);

  // Keeps the time and day boxes to the kind chosen.
  void kindChanged();

  // What the boxes ask for; nothing when the time is no time.
  std::optional<Schedule> chosen() const;
  bool changed(const Schedule& schedule) const { return schedule != shown_; }

  // Registers, changes or removes the task; empty on success, else why not, and
  // the boxes then show what Task Scheduler holds.
  std::string save(const Schedule& schedule);

 private:
  void show(const Schedule& schedule);

  platform::Services& services_;
  std::string exePath_;
  ScheduleControls controls_;
  std::optional<ScheduleTaskNames> names_;  // Nothing when the user's account is unknown.
  // The account's task under its earlier name, shown until a change replaces it.
  std::string earlierTask_;
  ScheduleTexts texts_;
  int today_ = 1;
  Schedule shown_;
};

// The day of the week today, 0 Sunday to 6 Saturday, on the local clock.
int localDayOfWeek();

}  // namespace velmora::unattended

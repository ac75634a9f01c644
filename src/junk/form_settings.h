#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "widgets/buttons.h"
#include "widgets/combo_box.h"
#include "widgets/containers.h"
#include "widgets/edits.h"
#include "widgets/form.h"
#include "widgets/label.h"
#include "widgets/list_view.h"
#include "widgets/page_control.h"

namespace velmora::junk {

// The Settings window: the "check update at startup" and Recycle Bin options,
// the schedule of the unattended clean, the junk-type catalogue with a check mark per entry, and the folders the
// junk-file scan skips, one per line.
class TFormSettings : public widgets::Form {
 public:
  explicit TFormSettings(widgets::Application& app);

  // Call points for what lies outside the window, set by whoever creates it.
  //
  // Runs on every showing once the General page is active: sets cbCheckUpdate
  // from the main window's flag and reloads the catalogue and the exclusion file
  // into ListViewJunk and MemoExclusions.
  std::function<void()> onLoad;
  // ButtonOk: writes MemoExclusions to the exclusion file; false when it could
  // not be written, which keeps the window open. Unset, Ok just closes.
  std::function<bool()> onSaveExclusions;
  // ButtonOk, first: registers, changes or removes the scheduled clean; false
  // when it could not, which keeps the window open.
  std::function<bool()> onSaveSchedule;
  // Every closing, by Ok or the close box: hands the states of cbCheckUpdate and
  // cbRecycle to the main window's flags.
  std::function<void(bool checkUpdateAtStart, bool recycleDeleted)> onGeneralChosen;

  widgets::PageControl PageControl1{*this, "PageControl1"};
  widgets::TabSheet TabSheetGeneral{PageControl1, "TabSheetGeneral"};
  widgets::CheckBox cbCheckUpdate{TabSheetGeneral, "cbCheckUpdate", "check update at startup"};
  widgets::CheckBox cbRecycle{TabSheetGeneral, "cbRecycle", "Move deleted files to the Recycle Bin"};
  widgets::GroupBox GroupBoxSchedule{TabSheetGeneral, "GroupBoxSchedule"};
  widgets::Label LabelSchedule{GroupBoxSchedule, "LabelSchedule", "&Run:"};
  widgets::ComboBox cbSchedule{GroupBoxSchedule, "cbSchedule"};
  widgets::Label LabelScheduleTime{GroupBoxSchedule, "LabelScheduleTime", "&Time:"};
  widgets::Edit edScheduleTime{GroupBoxSchedule, "edScheduleTime"};
  widgets::Label LabelScheduleDay{GroupBoxSchedule, "LabelScheduleDay", "&Day:"};
  widgets::ComboBox cbScheduleDay{GroupBoxSchedule, "cbScheduleDay"};
  widgets::Label LabelLastRun{GroupBoxSchedule, "LabelLastRun"};
  widgets::TabSheet TabSheetJunk{PageControl1, "TabSheetJunk"};
  widgets::ListView ListViewJunk{TabSheetJunk, "ListViewJunk"};
  widgets::TabSheet TabSheetJunkExclusions{PageControl1, "TabSheetJunkExclusions"};
  widgets::Memo MemoExclusions{TabSheetJunkExclusions, "MemoExclusions"};
  widgets::Button ButtonOk{*this, "ButtonOk", "Ok"};

  // The schedule's texts from the language file: the choices of cbSchedule and
  // cbScheduleDay, each list with commas between its items, and the messages.
  std::string StringScheduleKinds = "Never,Every day,Every week,At log-on";
  std::string StringScheduleOther = "As set in Task Scheduler";
  std::string StringScheduleDays = "Monday,Tuesday,Wednesday,Thursday,Friday,Saturday,Sunday";
  std::string StringLastRun = "Last run: %1, exit %2, %3";
  std::string StringNoChoices =
      "No categories or drives are checked on the Files page. Check what to clean there first.";
  std::string StringBadTime = "Type the time as hours and minutes, such as 12:00 or 18:30.";
  std::string StringScheduleFailed = "Task Scheduler did not take the change:";
  std::string StringScheduleUnreadable = "Task Scheduler cannot be read:";
  // What the schedule's group says while Task Scheduler has not answered, and
  // when its service is not running.
  std::string StringScheduleReading = "Reading…";
  std::string StringScheduleUnavailable =
      "Task Scheduler is not available: its service is not running. The schedule can be shown and changed once "
      "it runs.";
  std::vector<std::pair<std::string, std::string*>> languageTexts();

 private:
  void FormShow();
  void FormClose();
  void ButtonOkClick();
};

}  // namespace velmora::junk

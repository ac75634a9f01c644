#pragma once

#include <functional>

#include "widgets/buttons.h"
#include "widgets/edits.h"
#include "widgets/form.h"
#include "widgets/list_view.h"
#include "widgets/page_control.h"

namespace velmora::junk {

// The Settings window: the "check update at startup" and Recycle Bin options,
// the junk-type catalogue with a check mark per entry, and the folders the
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
  // Every closing, by Ok or the close box: hands the states of cbCheckUpdate and
  // cbRecycle to the main window's flags.
  std::function<void(bool checkUpdateAtStart, bool recycleDeleted)> onGeneralChosen;

  widgets::PageControl PageControl1{*this, "PageControl1"};
  widgets::TabSheet TabSheetGeneral{PageControl1, "TabSheetGeneral"};
  widgets::CheckBox cbCheckUpdate{TabSheetGeneral, "cbCheckUpdate", "check update at startup"};
  widgets::CheckBox cbRecycle{TabSheetGeneral, "cbRecycle", "Move deleted files to the Recycle Bin"};
  widgets::TabSheet TabSheetJunk{PageControl1, "TabSheetJunk"};
  widgets::ListView ListViewJunk{TabSheetJunk, "ListViewJunk"};
  widgets::TabSheet TabSheetJunkExclusions{PageControl1, "TabSheetJunkExclusions"};
  widgets::Memo MemoExclusions{TabSheetJunkExclusions, "MemoExclusions"};
  widgets::Button ButtonOk{*this, "ButtonOk", "Ok"};

 private:
  void FormShow();
  void FormClose();
  void ButtonOkClick();
};

}  // namespace velmora::junk

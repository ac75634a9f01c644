#include "junk/form_settings.h"

namespace velmora::junk {

TFormSettings::TFormSettings(widgets::Application& app) : Form(app, "TFormSettings") {
  setCaption("Settings");
  // A fixed dialog: its controls sit at fixed places and would not follow a
  // resize.
  setBorderStyle(widgets::BorderStyle::Dialog);
  setSize(322, 324);
  setPlacement(widgets::FormPlacement::OwnerCenter);

  PageControl1.setBounds({8, 8, 297, 241});
  TabSheetGeneral.setCaption("General");
  TabSheetJunk.setCaption("Junk Files");
  TabSheetJunkExclusions.setCaption("Junk Exclusions");

  // Wide enough for the option's longest translation.
  cbCheckUpdate.setBounds({8, 12, 273, 17});
  cbRecycle.setBounds({8, 36, 273, 17});

  // The unattended clean's schedule; each label's access key leads to the box
  // created after it.
  GroupBoxSchedule.setCaption("Clean automatically");
  GroupBoxSchedule.setBounds({8, 62, 273, 146});
  LabelSchedule.setPosition(10, 23);
  cbSchedule.setBounds({96, 19, 165, 21});
  LabelScheduleTime.setPosition(10, 50);
  edScheduleTime.setBounds({96, 46, 50, 21});
  LabelScheduleDay.setPosition(10, 77);
  cbScheduleDay.setBounds({96, 73, 165, 21});
  LabelLastRun.setAutoSize(false);
  LabelLastRun.setBounds({10, 100, 255, 40});

  ListViewJunk.setAlign(widgets::Align::Client);
  ListViewJunk.setCheckBoxes(true);
  ListViewJunk.setRowSelect(true);
  ListViewJunk.setCaptionsEditable(false);
  // 85 and 165 rather than 70 and 200: whole names such as Thumbs.db fit, and both
  // columns with the scroll bar fit the page without a horizontal scroll bar.
  ListViewJunk.addColumn("Extension", 85);
  ListViewJunk.addColumn("File Type", 165);

  MemoExclusions.setAlign(widgets::Align::Client);

  ButtonOk.setBounds({112, 256, 75, 25});

  onShow = [this] { FormShow(); };
  onClose = [this] { FormClose(); };
  ButtonOk.onClick = [this] { ButtonOkClick(); };
  ButtonOk.setDefault(true);
}

// Every showing starts on the General page, then refreshes what the window
// shows from the main window and the files.
void TFormSettings::FormShow() {
  PageControl1.setActivePage(TabSheetGeneral);
  if (onLoad) onLoad();
}

void TFormSettings::FormClose() {
  if (onGeneralChosen) onGeneralChosen(cbCheckUpdate.checked(), cbRecycle.checked());
}

std::vector<std::pair<std::string, std::string*>> TFormSettings::languageTexts() {
  return {{"FormSettings->StringScheduleKinds", &StringScheduleKinds},
          {"FormSettings->StringScheduleOther", &StringScheduleOther},
          {"FormSettings->StringScheduleDays", &StringScheduleDays},
          {"FormSettings->StringLastRun", &StringLastRun},
          {"FormSettings->StringNoChoices", &StringNoChoices},
          {"FormSettings->StringBadTime", &StringBadTime},
          {"FormSettings->StringScheduleFailed", &StringScheduleFailed},
          {"FormSettings->StringScheduleUnreadable", &StringScheduleUnreadable},
          {"FormSettings->StringScheduleReading", &StringScheduleReading},
          {"FormSettings->StringScheduleUnavailable", &StringScheduleUnavailable}};
}

void TFormSettings::ButtonOkClick() {
  if (onSaveSchedule && !onSaveSchedule()) return;
  if (!onSaveExclusions || onSaveExclusions()) close();
}

}  // namespace velmora::junk

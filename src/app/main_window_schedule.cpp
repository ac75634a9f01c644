// The scheduled clean as the Settings window shows and changes it: the task in
// Task Scheduler that runs the program with /auto and the Files page's
// remembered choices.
#include "app/main_window.h"

#include "widgets/application.h"

namespace velmora::app {

void TForm1::createScheduleEditor() {
  scheduleEditor_ = std::make_unique<unattended::ScheduleEditor>(
      services_, exePath_,
      unattended::ScheduleControls{FormSettings->cbSchedule, FormSettings->edScheduleTime,
                                   FormSettings->cbScheduleDay, FormSettings->LabelLastRun});
  FormSettings->onSaveSchedule = [this] { return saveSchedule(); };
}

// Each showing reads the task back, so that a task changed or deleted in Task
// Scheduler shows as it is now.
void TForm1::loadSchedule() {
  const junk::TFormSettings& form = *FormSettings;
  const std::string error = scheduleEditor_->load(
      {form.StringScheduleKinds, form.StringScheduleOther, form.StringScheduleDays, form.StringLastRun},
      unattended::localDayOfWeek());
  if (!error.empty()) showFileError(form.StringScheduleUnreadable + "\r\n\r\n" + error);
}

bool TForm1::saveSchedule() {
  const junk::TFormSettings& form = *FormSettings;
  const std::optional<unattended::Schedule> chosen = scheduleEditor_->chosen();
  if (!chosen) {
    showFileError(form.StringBadTime);
    return false;
  }
  if (!scheduleEditor_->changed(*chosen)) return true;
  if (chosen->kind != unattended::ScheduleKind::never) {
    // A scheduled run cleans with the choices the settings file remembers; none
    // would make every run end without cleaning.
    const settings::FilesChoices choices = filesPage_->rememberedChoices();
    bool anyCategory = false;
    for (bool checked : choices.categories) anyCategory = anyCategory || checked;
    if (!anyCategory || choices.drives.empty()) {
      showFileError(form.StringNoChoices);
      return false;
    }
  }
  if (const std::string error = scheduleEditor_->save(*chosen); !error.empty()) {
    showFileError(form.StringScheduleFailed + "\r\n\r\n" + error);
    return false;
  }
  // The first scheduled run may come before this window closes and writes the
  // settings file; the choices it cleans with are written now.
  if (chosen->kind != unattended::ScheduleKind::never && !saveSettings())
    showFileError(settings::unableToWriteMessage(SettingsFilePath));
  return true;
}

}  // namespace velmora::app

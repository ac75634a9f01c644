// The scheduled clean as the Settings window shows and changes it: the task in
// Task Scheduler that runs the program with /auto and the Files page's
// remembered choices.
#include "app/main_window.h"

#include "widgets/application.h"

namespace velmora::app {
namespace {

// How long Ok waits for Task Scheduler's answer before it saves the rest of the
// window and leaves the task as it is.
constexpr std::chrono::seconds kScheduleAnswerLimit(5);

}  // namespace

void TForm1::createScheduleEditor() {
  scheduleEditor_ = std::make_unique<unattended::ScheduleEditor>(
      application(), services_, exePath_,
      unattended::ScheduleControls{FormSettings->cbSchedule, FormSettings->edScheduleTime,
                                   FormSettings->cbScheduleDay, FormSettings->LabelLastRun});
  scheduleEditor_->describeError = [this](std::uint32_t code) { return messages.systemError(services_.system, code); };
  FormSettings->onSaveSchedule = [this] { return saveSchedule(); };
}

// Each showing reads the task back, so that a task changed or deleted in Task
// Scheduler shows as it is now; the window does not wait for the answer.
void TForm1::loadSchedule() {
  const junk::TFormSettings& form = *FormSettings;
  scheduleEditor_->load({form.StringScheduleKinds, form.StringScheduleOther, form.StringScheduleDays,
                         form.StringLastRun, form.StringScheduleReading, form.StringScheduleUnavailable,
                         form.StringScheduleUnreadable},
                        unattended::localDayOfWeek());
}

bool TForm1::saveSchedule() {
  const junk::TFormSettings& form = *FormSettings;
  // A task the window has not shown, or that Task Scheduler cannot show now, is
  // left as it is; the rest of the window is saved all the same.
  if (!scheduleEditor_->awaitReading(kScheduleAnswerLimit)) return true;
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
  if (const std::uint32_t error = scheduleEditor_->save(*chosen); error != 0) {
    showFileError(form.StringScheduleFailed + "\r\n\r\n" + messages.systemError(services_.system, error));
    return false;
  }
  // The first scheduled run may come before this window closes and writes the
  // settings file; the choices it cleans with are written now.
  if (chosen->kind != unattended::ScheduleKind::never && !saveSettings())
    showFileError(settings::unableToWriteMessage(SettingsFilePath));
  return true;
}

}  // namespace velmora::app

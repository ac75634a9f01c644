// The main window's language switch: the language file applied to every window.
#include "app/language_loader.h"
#include "app/main_window.h"
#include "app/secondary_language_targets.h"

namespace velmora::app {
namespace {

constexpr std::string_view kFileCategoryKeys[] = {
    "StringJunkFiles", "StringCookies",       "StringHistory",    "StringRecent",
    "StringTemporary", "StringTemporaryInet", "StringRecycleBin", "StringBrokenShortcuts"};

// The main window, its message texts and the secondary windows given.
LanguageTargets withMainWindow(TForm1& main, const SecondaryWindows& windows) {
  LanguageTargets targets;
  targets.mainForm = &main;
  targets.messages = &main.messages;
  addSecondaryWindows(targets, windows);
  return targets;
}

}  // namespace

LanguageTargets TForm1::languageTargets() {
  return withMainWindow(*this, {&*FormMemory, FormSettings.get(), &*FormSysInfo, &*FormUpdate, &*FormAbout,
                                &*FormRestore});
}

void TForm1::translateNewWindows(const SecondaryWindows& windows) {
  // An applier handed in stands for the language files; only a change of
  // language asks it.
  if (applyLanguage_) return;
  LanguageTargets targets;
  addSecondaryWindows(targets, windows);
  app::applyLanguageFile(
      platform::ProfileFile(services_.textFiles, languageFilePath(ProgramFolder, appliedLanguage_)), targets);
}

void TForm1::applyLanguageFile(const std::string& name) {
  // Only the two offered names check an item; any other leaves both clear.
  MLangEnglish.setChecked(name == "English");
  MLangRussian.setChecked(name == "Russian");

  // The windows not made yet take the language when they are made.
  appliedLanguage_ = name;
  app::applyLanguageFile(platform::ProfileFile(services_.textFiles, languageFilePath(ProgramFolder, name)),
                         withMainWindow(*this, madeWindows()));
  // The file captions the scan buttons "Search"; while its scan or deletion runs,
  // a button stays the Stop button it is.
  if (filesPage_->scanRunning() || filesPage_->deletionRunning())
    ButtonSearchFiles.setCaption(messages["StringStop"]);
  if (registryPage_->scanRunning() || registryPage_->deletionRunning())
    ButtonSearchReg.setCaption(messages["StringStop"]);

  // The type lists take their captions from the message texts; their check marks
  // stay as the user left them.
  for (int row = 0; row < 8 && row < ListViewTypesFiles.count(); ++row)
    ListViewTypesFiles.setCell(row, 0, messages[kFileCategoryKeys[row]]);
  for (int row = 0; row < 8 && row < ListViewTypesReg.count(); ++row)
    ListViewTypesReg.setCell(row, 0, messages[kProblemTextKeys[static_cast<std::size_t>(row)]]);

  filesPage_->refreshDriveInfo();
  if (!StatusBar1.simpleText().empty()) ShowScanStatus();
  // A running scan heads the next drive it walks with the new text.
  filesPage_->publishChoices();
}

}  // namespace velmora::app

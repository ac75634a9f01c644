// The scans of the four pages as the main window starts them, its status line, and
// the Settings window's catalogue and exclusions that the Files scan reads.
#include "app/main_window.h"

#include "common/text_lines.h"
#include "junk/exclusions.h"
#include "junk/settings_lists.h"
#include "widgets/application.h"

namespace velmora::app {

void TForm1::createFilesPage() {
  FilesPageControls controls{ListViewTypesFiles,
                             ListViewDrives,
                             LabelDriveInfo,
                             ListViewFiles,
                             ButtonSearchFiles,
                             EditSearchFiles,
                             pbFiles,
                             StatusBar1,
                             FormSettings->ListViewJunk,
                             FormSettings->MemoExclusions};
  filesPage_ =
      std::make_unique<FilesPage>(application(), services_, controls, messages, [this] { ShowScanStatus(); });

  // Each showing of the Settings window reloads both lists, and tells the user
  // when a file cannot be read.
  FormSettings->onLoad = [this] {
    FormSettings->cbCheckUpdate.setChecked(CheckUpdateAtStart);
    FormSettings->cbRecycle.setChecked(RecycleDeleted);
    loadSettingsLists(true);
    loadSchedule();
  };
  FormSettings->onSaveExclusions = [this] {
    const std::string path = junk::exclusionsFilePath(ProgramFolder);
    if (!exclusionsRead_) {
      // The list on screen is not what the file holds, which could not be read:
      // writing it back would replace the user's list with it. The file keeps what
      // it has, and the user is told again which file it is.
      showFileError("Cannot open file " + path);
      return true;
    }
    if (!junk::saveExclusions(services_.textFiles, path, FormSettings->MemoExclusions)) {
      showFileError("Cannot create file " + path);
      return false;
    }
    // The lines stay as typed, but the user learns which of them keep nothing out,
    // and the window stays open to mend them.
    return !filesPage_->warnOfLinesNamingNoFolder();
  };
}

void TForm1::loadSettingsLists(bool report) {
  auto cannotOpen = [this, report](const std::string& path) {
    if (report) showFileError("Cannot open file " + path);
  };
  // Each list loads on its own: a missing catalogue must not turn every
  // exclusion off.
  const std::string catalogue = junk::catalogueFilePath(ProgramFolder);
  if (!junk::loadCatalogue(services_.textFiles, catalogue, FormSettings->ListViewJunk)) cannotOpen(catalogue);
  const std::string exclusions = junk::exclusionsFilePath(ProgramFolder);
  const junk::ExclusionsLoad read =
      junk::loadExclusions(services_.textFiles, exclusions, FormSettings->MemoExclusions);
  exclusionsRead_ = static_cast<bool>(read);
  if (!exclusionsRead_) cannotOpen(exclusions);
  // A list that is there but cannot be read holds exclusions nobody can see: a
  // scan without them would list, checked, what the user protected. An absent list
  // means no exclusions.
  filesPage_->setUnreadableExclusions(read.status == platform::ReadStatus::failed ? exclusions
                                                                                  : std::string());
  filesPage_->publishChoices();
}

void TForm1::showFileError(const std::string& text) {
  application().messageBox(
      {text, application().title(), widgets::MessageButtons::Ok, widgets::MessageIcon::Error});
}

void TForm1::createRegistryPage() {
  RegistryPageControls controls{ListViewTypesReg, ListViewReg, ButtonSearchReg,
                                EditSearchReg,    pbReg,       StatusBar1};
  registryPage_ = std::make_unique<RegistryPage>(
      application(), services_, controls, messages, [this] { ShowScanStatus(); }, ProgramFolder);
}

void TForm1::createProgramListPages() {
  startupPage_ = std::make_unique<StartupPage>(
      application(), services_, ListViewStartup, StatusBar1, messages, [this] { ShowScanStatus(); },
      ProgramFolder, ButtonDisableStartup);
  uninstallPage_ = std::make_unique<UninstallPage>(
      application(), services_, ListViewUninstall, StatusBar1, messages, [this] { ShowScanStatus(); },
      ProgramFolder);
}

void TForm1::ShowScanStatus() {
  std::string summary;
  switch (PageControlClean.activePageIndex()) {
    case 0:
      summary = filesPage_->statusSummary();
      break;
    case 1:
      summary = registryPage_->statusSummary();
      break;
    case 2:
      summary = startupPage_->statusSummary();
      break;
    case 3:
      summary = uninstallPage_->statusSummary();
      break;
    default:
      return;
  }
  StatusBar1.setSimpleText(summary);
}

}  // namespace velmora::app

// The scans of the four pages as the main window starts them, its status line, and
// the Settings window's catalogue and exclusions that the Files scan reads.
#include "app/main_window.h"

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
    loadSettingsLists(true);
  };
  FormSettings->onSaveExclusions = [this] {
    const std::string path = junk::exclusionsFilePath(ProgramFolder);
    if (junk::saveExclusions(services_.textFiles, path, FormSettings->MemoExclusions)) return true;
    application().messageBox({"Cannot create file " + path, application().title(),
                              widgets::MessageButtons::Ok, widgets::MessageIcon::Error});
    return false;
  };
}

bool TForm1::loadSettingsLists(bool report) {
  auto cannotOpen = [this, report](const std::string& path) {
    if (report)
      application().messageBox({"Cannot open file " + path, application().title(),
                                widgets::MessageButtons::Ok, widgets::MessageIcon::Error});
  };
  bool loaded = false;
  const std::string catalogue = junk::catalogueFilePath(ProgramFolder);
  if (!junk::loadCatalogue(services_.textFiles, catalogue, FormSettings->ListViewJunk)) {
    // Without the catalogue the exclusions are not read either: the memo keeps
    // what it held.
    cannotOpen(catalogue);
  } else {
    const std::string exclusions = junk::exclusionsFilePath(ProgramFolder);
    loaded = junk::loadExclusions(services_.textFiles, exclusions, FormSettings->MemoExclusions);
    if (!loaded) cannotOpen(exclusions);
  }
  filesPage_->publishChoices();
  return loaded;
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
      ProgramFolder);
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

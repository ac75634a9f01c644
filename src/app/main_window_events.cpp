// The main window's events: every control's event bound to its handler in one
// place, and the handlers that only say which step of the program runs. The
// handlers with more to do (FormCreate, FormShow, FormClose) live with the rest
// of what they do.
#include "app/main_window.h"
#include "widgets/application.h"

namespace velmora::app {

void TForm1::bindEvents() {
  onShow = [this] { FormShow(); };
  onClose = [this] { FormClose(); };
  onMinimize = [this] { FormMinimize(); };
  onEndSession = [this] { FormEndSession(); };
  Timer1.onTimer = [this] { Timer1Timer(); };
  onCanResize = [this](int& width, int& height) { return FormCanResize(width, height); };
  onResize = [this] { FormResize(); };
  Splitter1.onMoved = [this] { Splitter1Moved(); };
  PageControlClean.onChanging = [this](bool& allow) { PageControlCleanChanging(allow); };
  PageControlClean.onChange = [this] { PageControlCleanChange(); };

  MRestore.onClick = [this] { MRestoreClick(); };
  MExit.onClick = [this] { MExitClick(); };
  MSettings.onClick = [this] { MSettingsClick(); };
  MLangEnglish.onClick = [this] { MLangEnglishClick(); };
  MLangRussian.onClick = [this] { MLangRussianClick(); };
  MFreeMemory.onClick = [this] { MFreeMemoryClick(); };
  MSysInfo.onClick = [this] { MSysInfoClick(); };
  MContents.onClick = [this] { MContentsClick(); };
  MCheckUpdate.onClick = [this] { MCheckUpdateClick(); };
  MAbout.onClick = [this] { MAboutClick(); };
  PMRestore.onClick = [this] { PMRestoreClick(); };
  PMFreeRam.onClick = [this] { PMFreeRamClick(); };
  PMClose.onClick = [this] { PMCloseClick(); };
  StTrayIcon1.onDoubleClick = [this] { StTrayIcon1DblClick(); };

  ButtonTypesCheck.onClick = [this] { ButtonTypesCheckClick(); };
  ButtonTypesUncheck.onClick = [this] { ButtonTypesUncheckClick(); };
  ListViewDrives.onSelectItem = [this](int row) { ListViewDrivesSelectItem(row); };
  ButtonSearchFiles.onClick = [this] { ButtonSearchFilesClick(); };
  ButtonCheckFiles.onClick = [this] { ButtonCheckFilesClick(); };
  ButtonUncheckFiles.onClick = [this] { ButtonUncheckFilesClick(); };
  ButtonDeleteFiles.onClick = [this] { ButtonDeleteFilesClick(); };

  ButtonRegCheck.onClick = [this] { ButtonRegCheckClick(); };
  ButtonRegUncheck.onClick = [this] { ButtonRegUncheckClick(); };
  ButtonSearchReg.onClick = [this] { ButtonSearchRegClick(); };
  ButtonCheckReg.onClick = [this] { ButtonCheckRegClick(); };
  ButtonUncheckReg.onClick = [this] { ButtonUncheckRegClick(); };
  ButtonDeleteReg.onClick = [this] { ButtonDeleteRegClick(); };

  ButtonSearchStartup.onClick = [this] { ButtonSearchStartupClick(); };
  ListViewStartup.onSelectItem = [this](int) { ListViewStartupSelectItem(); };
  ButtonDisableStartup.onClick = [this] { ButtonDisableStartupClick(); };
  ButtonDeleteStartup.onClick = [this] { ButtonDeleteStartupClick(); };

  ButtonSearchUninstall.onClick = [this] { ButtonSearchUninstallClick(); };
  ListViewUninstall.onSelectItem = [this](int row) { ListViewUninstallSelectItem(row); };
  ButtonUninstall.onClick = [this] { ButtonUninstallClick(); };
  ButtonDeleteUninstall.onClick = [this] { ButtonDeleteUninstallClick(); };
}

// Minimizing sends the window to the tray; only the tray icon stays.
void TForm1::FormMinimize() { application().hideMainWindow(); }

// The layout runs on every resize request, from the widths the controls have
// before the new size takes effect, and once more when it has: otherwise, after a
// single change of size such as maximizing, the controls would keep the figures
// of the previous size until the user resized the window again.
bool TForm1::FormCanResize(int&, int&) {
  LayOutMainWindow();
  return true;
}

void TForm1::FormResize() { LayOutMainWindow(); }

void TForm1::PageControlCleanChanging(bool& allow) {
  // A junk-file or registry scan reports into its own page, and a deletion of
  // files or entries into its page; the user stays there until it ends or is
  // stopped.
  if (filesPage_->scanRunning() || filesPage_->deletionRunning() || registryPage_->scanRunning() ||
      registryPage_->deletionRunning())
    allow = false;
}

// A hidden page takes the window's size only when it is shown, and dragging the
// splitter resizes the Files page's main part without a resize of the window; the
// controls that follow those widths are placed again at those moments.
void TForm1::Splitter1Moved() { LayOutMainWindow(); }
void TForm1::PageControlCleanChange() { LayOutMainWindow(); }

// The connection state follows the system's every second; a check pauses the
// timer while it runs.
void TForm1::Timer1Timer() { updateChecker().TestConnection(); }

void TForm1::MRestoreClick() { showLocalized(*FormRestore); }

void TForm1::MExitClick() { close(); }

void TForm1::MSettingsClick() { showLocalized(*FormSettings); }

void TForm1::MLangEnglishClick() { switchLanguage("English"); }

void TForm1::MLangRussianClick() { switchLanguage("Russian"); }

void TForm1::MFreeMemoryClick() { showLocalized(*FormMemory); }

void TForm1::MSysInfoClick() { showLocalized(*FormSysInfo); }

// The hidden Help Contents command: the help file of the current language, and
// nothing for a language that has none.
void TForm1::MContentsClick() {
  std::string file;
  if (CurrentLanguage == "English")
    file = HelpFileEnglish;
  else if (CurrentLanguage == "Russian")
    file = HelpFileRussian;
  else
    return;
  const std::uintptr_t owner = peer() ? peer()->nativeHandle() : 0;
  services_.shell.shellExecute(owner, "open", file, "", "", platform::show_command::normal);
}

// The window opens saying that it is checking; its showing starts the check, whose
// outcome replaces the text while the window stays open.
void TForm1::MCheckUpdateClick() {
  ApplyLanguage(CurrentLanguage);
  FormUpdate->LabelText.setCaption(FormUpdate->StringCheckingForUpdates);
  FormUpdate->CentreLabels();
  FormUpdate->showModal();
}

void TForm1::MAboutClick() { showLocalized(*FormAbout); }

void TForm1::PMRestoreClick() { application().restoreMainWindow(); }

// Closing from the tray ends the program, as any other way of closing does.
void TForm1::PMCloseClick() { close(); }

void TForm1::StTrayIcon1DblClick() { application().restoreMainWindow(); }

void TForm1::ButtonTypesCheckClick() { filesPage_->typesCheckAllClick(); }

void TForm1::ButtonTypesUncheckClick() { filesPage_->typesUncheckAllClick(); }

void TForm1::ListViewDrivesSelectItem(int row) { filesPage_->driveSelected(row); }

void TForm1::ButtonSearchFilesClick() { filesPage_->searchClick(ProfileFolder); }

void TForm1::ButtonCheckFilesClick() { filesPage_->checkAllClick(); }

void TForm1::ButtonUncheckFilesClick() { filesPage_->uncheckAllClick(); }

void TForm1::ButtonDeleteFilesClick() { filesPage_->deleteClick(RecycleDeleted); }

void TForm1::ButtonRegCheckClick() { ListViewTypesReg.checkAll(); }

void TForm1::ButtonRegUncheckClick() { ListViewTypesReg.uncheckAll(); }

void TForm1::ButtonCheckRegClick() { ListViewReg.checkAll(); }

void TForm1::ButtonUncheckRegClick() { ListViewReg.uncheckAll(); }

void TForm1::ButtonSearchRegClick() { registryPage_->searchClick(); }

void TForm1::ButtonDeleteRegClick() { registryPage_->deleteClick(); }

void TForm1::ButtonSearchStartupClick() { startupPage_->searchClick(); }

void TForm1::ListViewStartupSelectItem() { startupPage_->selectItem(); }

void TForm1::ButtonDisableStartupClick() { startupPage_->disableClick(); }

void TForm1::ButtonDeleteStartupClick() { startupPage_->deleteClick(); }

void TForm1::ButtonSearchUninstallClick() { uninstallPage_->searchClick(); }

void TForm1::ListViewUninstallSelectItem(int row) { uninstallPage_->selectItem(row); }

void TForm1::ButtonUninstallClick() { uninstallPage_->uninstallClick(); }

void TForm1::ButtonDeleteUninstallClick() { uninstallPage_->deleteClick(); }

}  // namespace velmora::app

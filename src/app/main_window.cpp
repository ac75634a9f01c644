#include "app/main_window.h"

#include "settings/folders.h"
#include "widgets/application.h"

#ifndef VELMORA_UPDATE_SERVER_ROOT
#error "VELMORA_UPDATE_SERVER_ROOT names the update server; the build sets it."
#endif

namespace velmora::app {
namespace {

// The junk-file categories and the registry problem types: eight entries each,
// captioned by the language file.
constexpr int kFileCategoryCount = 8;
constexpr int kRegistryProblemTypeCount = 8;

}  // namespace

TForm1::TForm1(widgets::Application& app, platform::Services& services, std::string exePath,
               LanguageApplier applyLanguage)
    : Form(app, "TForm1"),
      services_(services),
      exePath_(std::move(exePath)),
      applyLanguage_(std::move(applyLanguage)) {
  designWindow();
  placeControls();
  bindEvents();
  FormCreate();
}

void TForm1::ApplyLanguage(const std::string& name) {
  if (applyLanguage_)
    applyLanguage_(*this, name);
  else
    applyLanguageFile(name);
  // The Startup rows' states and sources, and its Disable button, are message
  // texts.
  startupPage_->refreshTexts();
  // Buttons take the width their new captions need; the rows the layout centres
  // are centred again with those widths.
  placeControls();
}

void TForm1::FormCreate() {
  ProductTitle = "Velmora Disk Cleaner";
  ProductVersion = "1.3";
  ServerRoot = VELMORA_UPDATE_SERVER_ROOT;
  ProductPageAddress = ServerRoot + "/velmora_disk_cleaner.shtml";

  // The title is the product's, in every language.
  const std::string title = ProductTitle + " " + ProductVersion;
  setCaption(title);
  application().setTitle(title);

  // Every folder follows from where the program itself lies, never from the
  // working folder it was started in.
  ProgramFolder = settings::folderPart(exePath_);
  DataFolder = ProgramFolder + "data\\";
  ReplyFile = DataFolder + "version.txt";
  HelpFileEnglish = ProgramFolder + "Help - EN.chm";
  HelpFileRussian = ProgramFolder + "Help - RU.chm";
  SettingsFilePath = settings::SettingsFile::pathFor(exePath_);

  // The language loader captions them, so they exist before it runs.
  createSecondaryWindows();
  createFilesPage();
  createScheduleEditor();
  createRegistryPage();
  createProgramListPages();

  holdSettings(settings::SettingsFile(services_.textFiles, SettingsFilePath).read());

  for (int i = 0; i < kFileCategoryCount; ++i) ListViewTypesFiles.addRow({""}, true);
  for (int i = 0; i < kRegistryProblemTypeCount; ++i) ListViewTypesReg.addRow({""}, true);
  filesPage_->restoreChoices(heldFilesChoices_);

  ApplyLanguage(CurrentLanguage);

  ProfileFolder = settings::findProfileFolder(services_.shell);

  // The scan reads the catalogue and the exclusions from the Settings window: they
  // are loaded now, silently, so that a folder excluded in an earlier run is
  // skipped even when the window is never opened in this one.
  loadSettingsLists(false);
}

void TForm1::FormShow() {
  // The native window, made just before it is shown, may have a frame and tabs of
  // other sizes than the design assumed; the controls placed for the design
  // follow the widths the panels really have.
  placeControls();
  // The language is chosen once, on the first start, before the window appears.
  if (FirstStart) {
    FirstStart = false;
    FormLanguage->showModal();
  }
  PageControlClean.setActivePage(TabSheetCleanFiles);
  filesPage_->buildDriveList();
  fitDriveColumns();
  // Posted, so that it runs from the message loop after the window has appeared.
  application().post(lifetime(), [this] { FormShown(); });
}

void TForm1::FormShown() {
  // The window is drawn first: a posted task would otherwise run before the
  // window's first paint, which Windows leaves until the queue is empty.
  application().paintPending();
  StTrayIcon1.setVisible(true);
  attachSystemIcons();
  update::UpdateChecker& checker = updateChecker();
  checker.TestConnection();
  // A check started from the menu meanwhile has paused the timer, and starts it
  // again when it ends.
  if (!checker.UpdateBusy()) Timer1.setEnabled(true);
  // The start-up check shows its window only when it finds a newer version.
  if (CheckUpdateAtStart) checker.StartCheck();
}

void TForm1::attachSystemIcons() {
  // Row icons are indexes of the system's small-icon list; without it the lists
  // draw no icons.
  if (const std::uintptr_t systemIcons = services_.shell.systemSmallImageList(); systemIcons != 0) {
    ImageList1.attach(systemIcons);
    for (widgets::ListView* list : {&ListViewFiles, &ListViewStartup, &ListViewUninstall})
      list->setSmallImages(&ImageList1);
  }
}

void TForm1::FormClose() {
  // A scan still running ends with the program and changes nothing from now on.
  stopRunningScans();
  if (!saveSettings())
    application().messageBox({settings::unableToWriteMessage(SettingsFilePath), application().title(),
                              widgets::MessageButtons::Ok, widgets::MessageIcon::Error});
  // Closing the main window ends the program whether or not the settings were
  // saved: the user asked to leave, and has been told what was lost.
}

// Windows logs off or shuts down: it ends the program without closing this
// window, which may be hidden in the tray. What closing keeps is kept now, with
// no message, since nobody is there to read one.
void TForm1::FormEndSession() {
  stopRunningScans();
  // A window still open hands back what the user chose in it, as its closing
  // does: the Free Memory figures, the check-update flag.
  for (widgets::Form* window : std::initializer_list<widgets::Form*>{FormMemory.made(), FormSettings.get()})
    if (window && window->visible()) window->close();
  saveSettings();
}

void TForm1::stopRunningScans() {
  filesPage_->stopScan();
  registryPage_->stopScan();
  startupPage_->stopBuild();
  uninstallPage_->stopBuild();
}

bool TForm1::saveSettings() {
  return settings::SettingsFile(services_.textFiles, SettingsFilePath).write(heldSettings());
}

settings::Settings TForm1::heldSettings() const {
  return {CurrentLanguage,
          FirstStart,
          CheckUpdateAtStart,
          TryToFree,
          Delay,
          AutoDefrag,
          RecycleDeleted,
          filesPage_->rememberedChoices(),
          {}};
}

void TForm1::holdSettings(const settings::Settings& settings) {
  CurrentLanguage = settings.language;
  FirstStart = settings.firstStart;
  CheckUpdateAtStart = settings.checkUpdateAtStart;
  TryToFree = settings.tryToFree;
  Delay = settings.delay;
  AutoDefrag = settings.autoDefrag;
  RecycleDeleted = settings.recycleDeleted;
  // The page takes them once its type rows exist.
  heldFilesChoices_ = settings.files;
}

}  // namespace velmora::app

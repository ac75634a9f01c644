#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/files_page.h"
#include "app/form_about.h"
#include "app/form_language.h"
#include "app/form_restore.h"
#include "app/language_loader.h"
#include "app/message_texts.h"
#include "app/program_list_page.h"
#include "app/registry_page.h"
#include "junk/form_settings.h"
#include "memory/form_memory.h"
#include "platform/services.h"
#include "settings/settings.h"
#include "sysinfo/form_sys_info.h"
#include "unattended/schedule_editor.h"
#include "update/form_update.h"
#include "update/update_checker.h"
#include "widgets/buttons.h"
#include "widgets/containers.h"
#include "widgets/edits.h"
#include "widgets/form.h"
#include "widgets/image_list.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/list_view.h"
#include "widgets/menu.h"
#include "widgets/page_control.h"
#include "widgets/splitter.h"
#include "widgets/timer.h"
#include "widgets/tray_icon.h"
#include "widgets/tree_view.h"

namespace velmora::app {

// The main window: four pages (Files, Registry, Startup, Uninstall) in one page
// control over a status line, the main menu, and the tray icon with its menu. It
// holds what lives from start-up to exit: the settings values, the folders and
// file names, the message texts of the language file, the scan flags and counters,
// and the six secondary windows.
//
// Construction builds the window as designed and then runs FormCreate, which reads
// the settings file and prepares everything else; FormShow runs when the window is
// first shown and FormClose when it closes, which writes the settings back and
// ends the program.
class TForm1 : public widgets::Form {
 public:
  // Applies the language file of a language name to the main window and the
  // secondary windows. Called with the window itself, so that it can be handed in
  // before the window exists.
  using LanguageApplier = std::function<void(TForm1&, const std::string& language)>;

  // services and app must outlive the window. exePath is the running executable's
  // full path, which every folder of the program is taken from.
  TForm1(widgets::Application& app, platform::Services& services, std::string exePath,
         LanguageApplier applyLanguage = {});

  // Applies the language file of name to every window, through the applier the
  // window was made with or else the program's language files.
  void ApplyLanguage(const std::string& name);
  // Everything a language file captions: this window, the secondary windows and
  // the message texts they hold.
  LanguageTargets languageTargets();
  // Shows the summary of the active page in the status line.
  void ShowScanStatus();

  // Places the controls whose size or position follows the window's width: the
  // file-name column, the edit lines and progress bars, the button rows and the
  // column widths of the Startup and Uninstall lists.
  void LayOutMainWindow();

  // Product facts, fixed at creation.
  std::string ProductTitle;
  std::string ProductVersion;
  std::string ServerRoot;
  std::string ProductPageAddress;

  // Folders and files, fixed at creation. Folders end with a backslash.
  std::string ProgramFolder;
  std::string DataFolder;
  std::string ReplyFile;
  std::string HelpFileEnglish;
  std::string HelpFileRussian;
  std::string SettingsFilePath;
  std::string ProfileFolder;

  // The settings values, read at creation and written back when the window closes.
  // Other windows read and change them in memory.
  std::string CurrentLanguage;
  bool FirstStart = true;
  bool CheckUpdateAtStart = true;
  int TryToFree = 64;
  int Delay = 20;
  bool AutoDefrag = false;
  bool RecycleDeleted = false;

  // The message texts of the language file, set only by the language loader.
  MessageTexts messages;

  // The secondary windows, created in FormCreate and kept for the whole run.
  std::unique_ptr<TFormLanguage> FormLanguage;
  std::unique_ptr<memory::TFormMemory> FormMemory;
  std::unique_ptr<junk::TFormSettings> FormSettings;
  std::unique_ptr<sysinfo::TFormSysInfo> FormSysInfo;
  std::unique_ptr<update::TFormUpdate> FormUpdate;
  std::unique_ptr<TFormAbout> FormAbout;
  std::unique_ptr<TFormRestore> FormRestore;
  // The Files page's drive list, scan and deletion, made with the windows above.
  FilesPage& filesPage() { return *filesPage_; }
  // The Registry page's scan and deletion.
  RegistryPage& registryPage() { return *registryPage_; }
  // The connection state and the update checks, which show in FormUpdate.
  update::UpdateChecker& updateChecker() { return *updateChecker_; }
  unattended::ScheduleEditor& scheduleEditor() { return *scheduleEditor_; }
  // The Startup and Uninstall pages' listings and deletions, and the uninstaller.
  StartupPage& startupPage() { return *startupPage_; }
  UninstallPage& uninstallPage() { return *uninstallPage_; }

  // Controls, in creation order, which is also the order aligned controls take
  // their edge in: of several controls aligned to the same edge, the first one
  // created sits nearest to it.
  widgets::StatusBar StatusBar1{*this, "StatusBar1"};
  widgets::PageControl PageControlClean{*this, "PageControlClean"};

  widgets::TabSheet TabSheetCleanFiles{PageControlClean, "TabSheetCleanFiles"};
  widgets::Panel PanelFilesLeft{TabSheetCleanFiles, "PanelFilesLeft"};
  widgets::ListView ListViewTypesFiles{PanelFilesLeft, "ListViewTypesFiles"};
  // The three below stack up from the column's bottom edge.
  widgets::Panel PanelDriveInfo{PanelFilesLeft, "PanelDriveInfo"};
  widgets::Label LabelDriveInfo{PanelDriveInfo, "LabelDriveInfo"};
  widgets::ListView ListViewDrives{PanelFilesLeft, "ListViewDrives"};
  widgets::Panel PanelFilesCheck{PanelFilesLeft, "PanelFilesCheck"};
  widgets::Button ButtonTypesCheck{PanelFilesCheck, "ButtonTypesCheck", "Check All"};
  widgets::Button ButtonTypesUncheck{PanelFilesCheck, "ButtonTypesUncheck", "Uncheck All"};
  widgets::Splitter Splitter1{TabSheetCleanFiles, "Splitter1"};
  widgets::Panel PanelFilesMain{TabSheetCleanFiles, "PanelFilesMain"};
  widgets::ListView ListViewFiles{PanelFilesMain, "ListViewFiles"};
  widgets::Panel PanelFilesBottom{PanelFilesMain, "PanelFilesBottom"};
  widgets::Button ButtonSearchFiles{PanelFilesBottom, "ButtonSearchFiles", "Search"};
  widgets::Edit EditSearchFiles{PanelFilesBottom, "EditSearchFiles"};
  widgets::ProgressBar pbFiles{PanelFilesBottom, "pbFiles"};
  widgets::Button ButtonCheckFiles{PanelFilesBottom, "ButtonCheckFiles", "Check All"};
  widgets::Button ButtonUncheckFiles{PanelFilesBottom, "ButtonUncheckFiles", "Uncheck All"};
  widgets::Button ButtonDeleteFiles{PanelFilesBottom, "ButtonDeleteFiles", "Delete"};

  widgets::TabSheet TabSheetCleanReg{PageControlClean, "TabSheetCleanReg"};
  widgets::Panel PanelRegLeft{TabSheetCleanReg, "PanelRegLeft"};
  widgets::ListView ListViewTypesReg{PanelRegLeft, "ListViewTypesReg"};
  // Never shown, and takes no part in anything.
  widgets::TreeView TreeVieweg{PanelRegLeft, "TreeVieweg"};
  widgets::Panel PanelRegCheck{PanelRegLeft, "PanelRegCheck"};
  widgets::Button ButtonRegCheck{PanelRegCheck, "ButtonRegCheck", "Check All"};
  widgets::Button ButtonRegUncheck{PanelRegCheck, "ButtonRegUncheck", "Uncheck All"};
  widgets::Panel PanelRegMain{TabSheetCleanReg, "PanelRegMain"};
  widgets::ListView ListViewReg{PanelRegMain, "ListViewReg"};
  widgets::Panel PanelRegBottom{PanelRegMain, "PanelRegBottom"};
  widgets::Button ButtonSearchReg{PanelRegBottom, "ButtonSearchReg", "Search"};
  widgets::Edit EditSearchReg{PanelRegBottom, "EditSearchReg"};
  widgets::ProgressBar pbReg{PanelRegBottom, "pbReg"};
  widgets::Button ButtonCheckReg{PanelRegBottom, "ButtonCheckReg", "Check All"};
  widgets::Button ButtonUncheckReg{PanelRegBottom, "ButtonUncheckReg", "Uncheck All"};
  widgets::Button ButtonDeleteReg{PanelRegBottom, "ButtonDeleteReg", "Delete"};

  widgets::TabSheet TabSheetCleanStartup{PageControlClean, "TabSheetCleanStartup"};
  widgets::ListView ListViewStartup{TabSheetCleanStartup, "ListViewStartup"};
  widgets::Panel PanelStartupBottom{TabSheetCleanStartup, "PanelStartupBottom"};
  widgets::Button ButtonSearchStartup{PanelStartupBottom, "ButtonSearchStartup", "Search"};
  widgets::Button ButtonDisableStartup{PanelStartupBottom, "ButtonDisableStartup", "Disable"};
  widgets::Button ButtonDeleteStartup{PanelStartupBottom, "ButtonDeleteStartup", "Delete"};

  widgets::TabSheet TabSheetCleanUninstall{PageControlClean, "TabSheetCleanUninstall"};
  widgets::ListView ListViewUninstall{TabSheetCleanUninstall, "ListViewUninstall"};
  widgets::Panel PanelUninstallBottom{TabSheetCleanUninstall, "PanelUninstallBottom"};
  widgets::Button ButtonSearchUninstall{PanelUninstallBottom, "ButtonSearchUninstall", "Search"};
  widgets::Button ButtonUninstall{PanelUninstallBottom, "ButtonUninstall", "Uninstall"};
  widgets::Button ButtonDeleteUninstall{PanelUninstallBottom, "ButtonDeleteUninstall", "Delete"};

  widgets::MainMenu MainMenu1{*this, "MainMenu1"};
  widgets::MenuItem MFile{MainMenu1, "MFile", "File"};
  widgets::MenuItem MRestore{MFile, "MRestore", "&Restore..."};
  widgets::MenuItem MExit{MFile, "MExit", "Exit"};
  widgets::MenuItem MOptions{MainMenu1, "MOptions", "Options"};
  widgets::MenuItem MSettings{MOptions, "MSettings", "Settings"};
  widgets::MenuItem MLanguage{MOptions, "MLanguage", "Language"};
  widgets::MenuItem MLangEnglish{MLanguage, "MLangEnglish", "English"};
  widgets::MenuItem MLangRussian{MLanguage, "MLangRussian", "Russian"};
  widgets::MenuItem MOptionsSeparator{MOptions, "MOptionsSeparator", "-"};
  widgets::MenuItem MFreeMemory{MOptions, "MFreeMemory", "Free Memory"};
  widgets::MenuItem MSysInfo{MOptions, "MSysInfo", "System Information"};
  widgets::MenuItem MHelp{MainMenu1, "MHelp", "Help"};
  widgets::MenuItem MContents{MHelp, "MContents", "Contents"};
  widgets::MenuItem MCheckUpdate{MHelp, "MCheckUpdate", "Check for updates ..."};
  widgets::MenuItem MAbout{MHelp, "MAbout", "About Program"};

  widgets::PopupMenu PopupMenuTray{*this, "PopupMenuTray"};
  widgets::MenuItem PMRestore{PopupMenuTray, "PMRestore", "Restore"};
  widgets::MenuItem PMFreeRam{PopupMenuTray, "PMFreeRam", "Free Ram"};
  widgets::MenuItem PMSeparator{PopupMenuTray, "PMSeparator", "-"};
  widgets::MenuItem PMClose{PopupMenuTray, "PMClose", "Close"};
  widgets::TrayIcon StTrayIcon1{*this, "StTrayIcon1"};

  widgets::Timer Timer1{*this, "Timer1"};
  widgets::ImageList ImageList1{*this, "ImageList1"};

 private:
  // Sizes, positions and looks of the controls as designed.
  void designWindow();
  void designFilesPage();
  void designRegistryPage();
  void designStartupPage();
  void designUninstallPage();
  // Binds every event of the window's controls to its handler below: the one
  // place to look for what a control does.
  void bindEvents();
  // The six secondary windows, in the order they are created.
  void createSecondaryWindows();

  // The two halves of LayOutMainWindow: the column widths that follow the lists'
  // widths, and the edit lines, progress bars and button rows that follow the
  // panels' widths. The latter are placed for the designed size, and again when
  // the window is shown; the designed column widths stay until the first resize.
  void fitColumns();
  void placeControls();
  // The drive list's columns fill the list, which follows the left column's width
  // and, for its scroll bar, how many drives it holds: after a resize, and once
  // the drives are listed.
  void fitDriveColumns();

  // The width of the "Found" column of the Files page's type list: room for
  // "99,999 MB" and for its header in either language.
  static constexpr int kFoundColumnWidth = 66;
  // The drive list's size column: its header needs more than 95 pixels in the
  // usual dialog fonts, a drive's root far less.
  static constexpr int kDriveSizeColumnWidth = 115;
  // The frame of a list view, both sides together: its client area is this much
  // narrower than the list.
  static constexpr int kListBorders = 4;

  // The real language loader: the language file, the menu check marks, the type
  // lists, the drive information and a summary already shown.
  void applyLanguageFile(const std::string& name);
  // The Files page and the Settings window's catalogue and exclusions.
  void createFilesPage();
  // Loads the catalogue and the exclusions into the Settings window, each on its
  // own; with report, a file that cannot be read is named in a message.
  void loadSettingsLists(bool report);
  void showFileError(const std::string& text);
  // The Registry, Startup and Uninstall pages.
  void createRegistryPage();
  void createProgramListPages();
  // Sets the interface language and applies it (the two language menu items).
  void switchLanguage(const std::string& name);
  // Re-applies the current language, then shows a secondary window modally, so
  // that it always shows the texts of the current language file.
  void showLocalized(widgets::Form& window);

  // Event handlers, named after the control and the event. The work of a page
  // is done by its page object; a handler says which step runs.
  void FormCreate();
  void FormShow();
  // What start-up does once the window is on screen: nothing of it shows in the
  // window, and the two slowest steps of start-up are here. The system's icon list,
  // which the shell builds on its first use, is needed only by rows a scan adds;
  // asking the system for the connection state loads its network configuration.
  void FormShown();
  void attachSystemIcons();
  void FormClose();
  void FormEndSession();
  // Stops every scan and list build still running: nothing of them changes
  // anything from then on.
  void stopRunningScans();
  // Writes the settings this window holds to the settings file; whether it could.
  bool saveSettings();
  void FormMinimize();
  bool FormCanResize(int& width, int& height);
  void FormResize();
  void Splitter1Moved();
  void PageControlCleanChanging(bool& allow);
  void PageControlCleanChange();

  void MRestoreClick();
  void MExitClick();
  void MSettingsClick();
  void MLangEnglishClick();
  void MLangRussianClick();
  void MFreeMemoryClick();
  void MSysInfoClick();
  void MContentsClick();
  void MCheckUpdateClick();
  void MAboutClick();
  void PMRestoreClick();
  void PMFreeRamClick();
  void PMCloseClick();
  void StTrayIcon1DblClick();

  void ButtonTypesCheckClick();
  void ButtonTypesUncheckClick();
  void ListViewDrivesSelectItem(int row);
  void ButtonSearchFilesClick();
  void ButtonCheckFilesClick();
  void ButtonUncheckFilesClick();
  void ButtonDeleteFilesClick();

  void ButtonRegCheckClick();
  void ButtonRegUncheckClick();
  void ButtonSearchRegClick();
  void ButtonDeleteRegClick();
  void ButtonCheckRegClick();
  void ButtonUncheckRegClick();

  void ButtonSearchStartupClick();
  void ListViewStartupSelectItem();
  void ButtonDisableStartupClick();
  void ButtonDeleteStartupClick();
  void ButtonSearchUninstallClick();
  void ListViewUninstallSelectItem(int row);
  void ButtonUninstallClick();
  void ButtonDeleteUninstallClick();

  void Timer1Timer();

  settings::Settings heldSettings() const;
  void holdSettings(const settings::Settings& settings);

  void createScheduleEditor();
  void loadSchedule();
  bool saveSchedule();

  platform::Services& services_;
  std::string exePath_;
  LanguageApplier applyLanguage_;
  std::unique_ptr<FilesPage> filesPage_;
  std::unique_ptr<RegistryPage> registryPage_;
  std::unique_ptr<update::UpdateChecker> updateChecker_;
  std::unique_ptr<StartupPage> startupPage_;
  std::unique_ptr<UninstallPage> uninstallPage_;
  std::unique_ptr<unattended::ScheduleEditor> scheduleEditor_;
  // The Files page's choices as the settings file held them at start-up.
  settings::FilesChoices heldFilesChoices_;
  // Whether the exclusion file was read at its last loading; Ok writes the list
  // back only then.
  bool exclusionsRead_ = false;
};

}  // namespace velmora::app

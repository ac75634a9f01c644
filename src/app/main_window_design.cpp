// The main window as designed: sizes, positions, columns and looks of its
// controls before the program changes any of them.
#include "app/main_window.h"

namespace velmora::app {
namespace {

using widgets::Align;
using widgets::Bevel;
using widgets::TextAlign;

// The height of the button panels under the Startup and Uninstall lists, and the
// top that centres a standard button in them.
constexpr int kShortPanelHeight = 39;
constexpr int kShortPanelButtonTop = 7;

// A two-button panel under a type list: Check All and Uncheck All side by side.
void designCheckPanel(widgets::Panel& panel, widgets::Button& check, widgets::Button& uncheck) {
  panel.setAlign(Align::Bottom);
  panel.setHeight(41);
  check.setBounds({8, 8, 95, 25});
  uncheck.setBounds({107, 8, 95, 25});
}

// The panel under a result list of the Files and Registry pages: Search, the line
// that shows what the scan works on, the progress bar, and a row of three buttons
// that the layout centres.
void designScanPanel(widgets::Panel& panel, widgets::Button& search, widgets::Edit& edit,
                     widgets::ProgressBar& progress, widgets::Button& check, widgets::Button& uncheck,
                     widgets::Button& remove) {
  panel.setAlign(Align::Bottom);
  panel.setHeight(97);
  search.setPosition(8, 8);
  edit.setPosition(88, 9);
  edit.setEnabled(false);
  progress.setBounds({8, 40, progress.width(), 17});
  progress.setRange(0, 100);
  for (widgets::Button* button : {&check, &uncheck, &remove}) button->setBounds({0, 63, 105, 25});
}

// A list of check-marked types with its one column.
// The left column of the Files page: the type list with its names and amounts
// found, and the drive list.
constexpr int kFilesLeftWidth = 296;

void designTypeList(widgets::ListView& list, int typesWidth = 205) {
  list.setAlign(Align::Client);
  list.setCheckBoxes(true);
  list.addColumn("Types", typesWidth);
}

}  // namespace

void TForm1::designWindow() {
  setSize(703, 588);
  setPlacement(widgets::FormPlacement::ScreenCenter);
  // The status bar is aligned to the bottom, 19 pixels high, by its own design.
  PageControlClean.setAlign(Align::Client);

  designFilesPage();
  designRegistryPage();
  designStartupPage();
  designUninstallPage();
  PageControlClean.setActivePageIndex(0);

  MSettings.setShortcut(widgets::Shortcut::parse("Ctrl+O"));
  MLangEnglish.setChecked(true);
  // Help Contents stays out of the menu for good (no help files are shipped); the
  // item remains for its command and for the language files, which name it.
  MContents.setVisible(false);
  StTrayIcon1.setPopupMenu(&PopupMenuTray);
  Timer1.setInterval(1000);
}

void TForm1::designFilesPage() {
  TabSheetCleanFiles.setCaption("Files");

  PanelFilesLeft.setAlign(Align::Left);
  PanelFilesLeft.setWidth(kFilesLeftWidth);
  PanelFilesLeft.setBevel(Bevel::None);
  designTypeList(ListViewTypesFiles, kFilesLeftWidth - kListBorders - kFoundColumnWidth);
  // What each category found in the last scan, beside its name; the names keep
  // the rest of the list's width (see fitColumns).
  ListViewTypesFiles.addColumn("Found", kFoundColumnWidth, TextAlign::Right);
  PanelDriveInfo.setAlign(Align::Bottom);
  PanelDriveInfo.setHeight(90);
  LabelDriveInfo.setPosition(8, 8);
  ListViewDrives.setAlign(Align::Bottom);
  ListViewDrives.setHeight(109);
  ListViewDrives.setCheckBoxes(true);
  // The drives take what the size column leaves of the list (see fitDriveColumns).
  ListViewDrives.addColumn("Drives", kFilesLeftWidth - kListBorders - kDriveSizeColumnWidth);
  ListViewDrives.addColumn("Total Space, Kb", kDriveSizeColumnWidth, TextAlign::Right);
  designCheckPanel(PanelFilesCheck, ButtonTypesCheck, ButtonTypesUncheck);

  // Splitter1 is a 3-pixel bar aligned left by its own design, so it sits right
  // of the left column and resizes it.
  PanelFilesMain.setAlign(Align::Client);
  PanelFilesMain.setBevel(Bevel::None);
  ListViewFiles.setAlign(Align::Client);
  ListViewFiles.setCheckBoxes(true);
  ListViewFiles.setGridLines(true);
  ListViewFiles.setRowSelect(true);
  ListViewFiles.addColumn("Filename", 350);
  ListViewFiles.addColumn("Size, Kb", 80, TextAlign::Right);
  designScanPanel(PanelFilesBottom, ButtonSearchFiles, EditSearchFiles, pbFiles, ButtonCheckFiles,
                  ButtonUncheckFiles, ButtonDeleteFiles);
}

void TForm1::designRegistryPage() {
  TabSheetCleanReg.setCaption("Registry");

  PanelRegLeft.setAlign(Align::Left);
  PanelRegLeft.setWidth(209);
  PanelRegLeft.setBevel(Bevel::None);
  designTypeList(ListViewTypesReg);
  ListViewTypesReg.setCaptionsEditable(true);
  TreeVieweg.setVisible(false);
  TreeVieweg.setPosition(8, 8);
  for (const char* type : {"Junk files", "Cookies", "History", "Recent documents", "Temporary files",
                           "Temporary Internet files", "Recycle Bin", "Broken shortcuts"})
    TreeVieweg.addItem(type);
  designCheckPanel(PanelRegCheck, ButtonRegCheck, ButtonRegUncheck);

  PanelRegMain.setAlign(Align::Client);
  PanelRegMain.setBevel(Bevel::None);
  ListViewReg.setAlign(Align::Client);
  ListViewReg.setCheckBoxes(true);
  ListViewReg.setGridLines(true);
  ListViewReg.setRowSelect(true);
  ListViewReg.addColumn("Problem", 150);
  ListViewReg.addColumn("Entry", 520);
  ListViewReg.addColumn("Root Key", 80, TextAlign::Center);
  ListViewReg.addColumn("Registry Key", 300);
  designScanPanel(PanelRegBottom, ButtonSearchReg, EditSearchReg, pbReg, ButtonCheckReg, ButtonUncheckReg,
                  ButtonDeleteReg);
}

void TForm1::designStartupPage() {
  TabSheetCleanStartup.setCaption("Startup");
  ListViewStartup.setAlign(Align::Client);
  ListViewStartup.setGridLines(true);
  ListViewStartup.setRowSelect(true);
  // All five columns fit the page at the window's designed size.
  ListViewStartup.addColumn("Programs", 118);
  ListViewStartup.addColumn("File", 190);
  ListViewStartup.addColumn("Status", 78);
  ListViewStartup.addColumn("Root Key", 118, TextAlign::Center);
  ListViewStartup.addColumn("Registry Key", 151);
  PanelStartupBottom.setAlign(Align::Bottom);
  PanelStartupBottom.setHeight(kShortPanelHeight);
  for (widgets::Button* button : {&ButtonSearchStartup, &ButtonDisableStartup, &ButtonDeleteStartup})
    button->setTop(kShortPanelButtonTop);
}

void TForm1::designUninstallPage() {
  TabSheetCleanUninstall.setCaption("Uninstall");
  ListViewUninstall.setAlign(Align::Client);
  ListViewUninstall.setGridLines(true);
  ListViewUninstall.setRowSelect(true);
  ListViewUninstall.addColumn("Programs", 200);
  ListViewUninstall.addColumn("Publisher", 150);
  ListViewUninstall.addColumn("Version", 80);
  ListViewUninstall.addColumn("Location", 230);
  PanelUninstallBottom.setAlign(Align::Bottom);
  PanelUninstallBottom.setHeight(kShortPanelHeight);
  for (widgets::Button* button : {&ButtonSearchUninstall, &ButtonUninstall, &ButtonDeleteUninstall})
    button->setTop(kShortPanelButtonTop);
}

}  // namespace velmora::app

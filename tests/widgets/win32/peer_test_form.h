#pragma once

#include <string>
#include <vector>

#include "widgets/buttons.h"
#include "widgets/combo_box.h"
#include "widgets/containers.h"
#include "widgets/edits.h"
#include "widgets/form.h"
#include "widgets/image_list.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/list_view.h"
#include "widgets/menu.h"
#include "widgets/page_control.h"
#include "widgets/spin_edit.h"
#include "widgets/splitter.h"
#include "widgets/timer.h"
#include "widgets/tray_icon.h"
#include "widgets/tree_view.h"

namespace velmora::widgets::testing {

// A form with every kind of control, laid out like the program's windows, that
// records the events its controls fire.
class PeerTestForm : public Form {
 public:
  explicit PeerTestForm(Application& app);

  // Each event as "ControlName.Event", in the order they fired.
  std::vector<std::string> events;

  MainMenu MainMenu1{*this, "MainMenu1"};
  MenuItem MFile{MainMenu1, "MFile", "File"};
  MenuItem MExit{MFile, "MExit", "Exit"};
  MenuItem MOptions{MainMenu1, "MOptions", "Options"};
  MenuItem MSettings{MOptions, "MSettings", "Settings"};
  MenuItem MLanguage{MOptions, "MLanguage", "Language"};
  MenuItem MLangEnglish{MLanguage, "MLangEnglish", "English"};
  MenuItem MLangRussian{MLanguage, "MLangRussian", "Russian"};
  MenuItem N1{MOptions, "N1", "-"};
  MenuItem MFreeMemory{MOptions, "MFreeMemory", "Free Memory"};
  MenuItem MHelp{MainMenu1, "MHelp", "Help"};
  MenuItem MContents{MHelp, "MContents", "Contents"};
  MenuItem MAbout{MHelp, "MAbout", "About Program"};
  PopupMenu PopupMenuTray{*this, "PopupMenuTray"};
  MenuItem PMRestore{PopupMenuTray, "PMRestore", "Restore"};
  MenuItem PMClose{PopupMenuTray, "PMClose", "Close"};
  TrayIcon StTrayIcon1{*this, "StTrayIcon1"};
  ImageList ImageList1{*this, "ImageList1"};
  Timer Timer1{*this, "Timer1"};

  StatusBar StatusBar1{*this, "StatusBar1"};
  PageControl PageControlClean{*this, "PageControlClean"};
  TabSheet TabSheetCleanFiles{PageControlClean, "TabSheetCleanFiles"};
  Panel PanelFilesLeft{TabSheetCleanFiles, "PanelFilesLeft"};
  ListView ListViewTypesFiles{PanelFilesLeft, "ListViewTypesFiles"};
  Panel PanelFilesCheck{PanelFilesLeft, "PanelFilesCheck"};
  Button ButtonTypesCheck{PanelFilesCheck, "ButtonTypesCheck", "Check All"};
  Splitter Splitter1{TabSheetCleanFiles, "Splitter1"};
  Panel PanelFilesMain{TabSheetCleanFiles, "PanelFilesMain"};
  ListView ListViewFiles{PanelFilesMain, "ListViewFiles"};
  Panel PanelFilesBottom{PanelFilesMain, "PanelFilesBottom"};
  Button ButtonSearchFiles{PanelFilesBottom, "ButtonSearchFiles", "Search"};
  Edit EditSearchFiles{PanelFilesBottom, "EditSearchFiles"};
  ProgressBar pbFiles{PanelFilesBottom, "pbFiles"};
  Button ButtonDeleteFiles{PanelFilesBottom, "ButtonDeleteFiles", "Delete"};

  TabSheet TabSheetOptions{PageControlClean, "TabSheetOptions"};
  GroupBox GroupBoxMemory{TabSheetOptions, "GroupBoxMemory"};
  Label LabelTryFree{GroupBoxMemory, "LabelTryFree", "Try to free (MB):"};
  SpinEdit CSpinEditTryFree{GroupBoxMemory, "CSpinEditTryFree"};
  CheckBox cbAutoDefrag{GroupBoxMemory, "cbAutoDefrag", "auto defrag"};
  Label LabelTitle{TabSheetOptions, "LabelTitle", "Velmora Disk Cleaner 1.3"};
  Label LabelSite{TabSheetOptions, "LabelSite", "https://velmora.example/velmora_disk_cleaner.shtml"};
  ComboBox ComboBoxLang{TabSheetOptions, "ComboBoxLang"};
  Memo MemoExclusions{TabSheetOptions, "MemoExclusions"};
  TreeView TreeVieweg{TabSheetOptions, "TreeVieweg"};
  Button ButtonOk{TabSheetOptions, "ButtonOk", "Ok"};
};

}  // namespace velmora::widgets::testing

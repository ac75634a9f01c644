#include "peer_test_form.h"

namespace velmora::widgets::testing {

PeerTestForm::PeerTestForm(Application& app) : Form(app, "TForm1") {
  setCaption("Velmora Disk Cleaner 1.3");
  setSize(703, 588);
  setPlacement(FormPlacement::ScreenCenter);

  MSettings.setShortcut(Shortcut::parse("Ctrl+O"));
  MLangEnglish.setChecked(true);
  MContents.setVisible(false);
  for (MenuItem* item :
       {&MExit, &MSettings, &MLangEnglish, &MLangRussian, &MFreeMemory, &MAbout, &PMRestore, &PMClose})
    item->onClick = [this, item] { events.push_back(item->name() + ".Click"); };
  StTrayIcon1.setPopupMenu(&PopupMenuTray);
  StTrayIcon1.onDoubleClick = [this] { events.push_back("StTrayIcon1.DoubleClick"); };
  Timer1.setEnabled(false);

  StatusBar1.setSimpleText("Found files: 3 Total space: 12 Kb.");
  PageControlClean.setAlign(Align::Client);
  TabSheetCleanFiles.setCaption("Files");
  TabSheetOptions.setCaption("Options");

  PanelFilesLeft.setWidth(209);
  PanelFilesLeft.setAlign(Align::Left);
  PanelFilesLeft.setBevel(Bevel::None);
  ListViewTypesFiles.setAlign(Align::Client);
  ListViewTypesFiles.setCheckBoxes(true);
  ListViewTypesFiles.addColumn("Types", 205);
  for (const char* type : {"Junk files", "Cookies", "History", "Recent documents", "Temporary files"})
    ListViewTypesFiles.addRow({type}, true);
  PanelFilesCheck.setHeight(41);
  PanelFilesCheck.setAlign(Align::Bottom);
  ButtonTypesCheck.setBounds({8, 8, 90, 25});

  PanelFilesMain.setAlign(Align::Client);
  PanelFilesMain.setBevel(Bevel::None);
  ListViewFiles.setAlign(Align::Client);
  ListViewFiles.setCheckBoxes(true);
  ListViewFiles.setGridLines(true);
  ListViewFiles.setRowSelect(true);
  ListViewFiles.addColumn("Filename", 350);
  ListViewFiles.addColumn("Size, Kb", 80, TextAlign::Right);
  ListViewFiles.onSelectItem = [this](int row) {
    events.push_back("ListViewFiles.SelectItem " + std::to_string(row));
  };
  ListViewFiles.onItemChecked = [this](int row) {
    events.push_back("ListViewFiles.Checked " + std::to_string(row));
  };
  PanelFilesBottom.setHeight(97);
  PanelFilesBottom.setAlign(Align::Bottom);
  ButtonSearchFiles.setBounds({8, 8, 75, 25});
  ButtonSearchFiles.setDefault(true);
  ButtonSearchFiles.onClick = [this] { events.push_back("ButtonSearchFiles.Click"); };
  EditSearchFiles.setBounds({88, 9, 380, 21});
  EditSearchFiles.onChange = [this] { events.push_back("EditSearchFiles.Change"); };
  pbFiles.setBounds({8, 40, 460, 16});
  pbFiles.setPosition(40);
  ButtonDeleteFiles.setBounds({8, 63, 105, 25});
  ButtonDeleteFiles.onClick = [this] { events.push_back("ButtonDeleteFiles.Click"); };

  GroupBoxMemory.setCaption(" Memory ");
  GroupBoxMemory.setBounds({8, 8, 225, 97});
  LabelTryFree.setPosition(15, 24);
  CSpinEditTryFree.setBounds({120, 20, 57, 22});
  CSpinEditTryFree.setRange(0, 2048);
  CSpinEditTryFree.setIncrement(8);
  CSpinEditTryFree.setValue(64);
  cbAutoDefrag.setBounds({15, 60, 106, 18});
  cbAutoDefrag.onClick = [this] { events.push_back("cbAutoDefrag.Click"); };
  Font title = LabelTitle.font();
  title.bold = true;
  title.color = colors::navy;
  LabelTitle.setFont(title);
  LabelTitle.setPosition(250, 16);
  Font link = LabelSite.font();
  link.underline = true;
  link.color = colors::blue;
  LabelSite.setFont(link);
  LabelSite.setCursor(Cursor::HandPoint);
  LabelSite.setPosition(250, 40);
  LabelSite.onMouseDown = [this](MouseButton, Point) { events.push_back("LabelSite.MouseDown"); };
  ComboBoxLang.setBounds({250, 70, 145, 21});
  ComboBoxLang.setItems({"English", "Russian"});
  ComboBoxLang.setItemIndex(0);
  ComboBoxLang.onChange = [this] { events.push_back("ComboBoxLang.Change"); };
  MemoExclusions.setBounds({8, 120, 387, 150});
  MemoExclusions.setLines({"C:\\Windows", "D:\\Keep"});
  TreeVieweg.setVisible(false);
  for (const char* item : {"Junk files", "Cookies", "History"}) TreeVieweg.addItem(item);
  ButtonOk.setBounds({8, 280, 75, 25});
}

}  // namespace velmora::widgets::testing

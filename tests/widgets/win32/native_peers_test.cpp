// The native peers under Wine: the test form realized with every kind of
// control, driven through real window messages, the objects and the windows
// compared after each step.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include "peer_test_form.h"
#include "platform/win32/wide.h"
#include "screenshot.h"
#include "scripted_dialogs.h"
#include "widgets/application.h"
#include "widgets/win32/private_messages.h"
#include "widgets/win32/tray_icon_peer.h"
#include "widgets/win32/win32_backend.h"

namespace velmora::widgets {
namespace {

using platform::win32::narrow;
using testing::PeerTestForm;

HWND hwndOf(const Component& component) {
  return component.peer() ? reinterpret_cast<HWND>(component.peer()->nativeHandle()) : nullptr;
}

std::string textOf(HWND hwnd) {
  wchar_t buffer[512];
  const int length = GetWindowTextW(hwnd, buffer, 512);
  return narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

std::string menuText(HMENU menu, UINT position) {
  wchar_t buffer[256];
  const int length = GetMenuStringW(menu, position, buffer, 256, MF_BYPOSITION);
  return narrow(std::wstring_view(buffer, static_cast<std::size_t>(std::max(length, 0))));
}

std::string listText(HWND list, int row, int column) {
  wchar_t buffer[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return narrow(buffer);
}

bool listChecked(HWND list, int row) {
  const auto state = SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

// The window's rectangle in its parent's client coordinates.
Rect placeOf(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void leftClick(HWND hwnd, int x, int y) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class NativePeersTest : public ::testing::Test {
 protected:
  NativePeersTest() : app(std::make_unique<win32::Win32Backend>()) {
    app.setTitle("Velmora Disk Cleaner 1.3");
    app.setDialogs(&dialogs);
    form = std::make_unique<PeerTestForm>(app);
    form->show();
    pump();
  }

  void pump() {
    for (int i = 0; i < 3; ++i) {
      app.processMessages();
      Sleep(10);
    }
  }

  int count(const std::string& event) const {
    return static_cast<int>(std::count(form->events.begin(), form->events.end(), event));
  }

  // A point on the check box of a list view's row, found by the list's own hit test.
  static POINT checkBoxOf(HWND list, int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    for (int x = bounds.left; x < bounds.left + 40; ++x) {
      LVHITTESTINFO hit{};
      hit.pt = {x, (bounds.top + bounds.bottom) / 2};
      if (SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == row &&
          (hit.flags & LVHT_ONITEMSTATEICON))
        return hit.pt;
    }
    ADD_FAILURE() << "no check box found on row " << row;
    return {0, 0};
  }

  testing::ScriptedDialogs dialogs;
  Application app;
  std::unique_ptr<PeerTestForm> form;
};

TEST_F(NativePeersTest, EveryControlHasAWindowWhereItsObjectSaysAndShowingWhatItSays) {
  HWND main = hwndOf(*form);
  ASSERT_TRUE(IsWindow(main));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(textOf(main), "Velmora Disk Cleaner 1.3");
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 703);
  EXPECT_EQ(outer.bottom - outer.top, 588);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, form->clientWidth());
  EXPECT_EQ(client.bottom, form->clientHeight());

  // A page not shown makes its windows when it is first shown, and keeps them.
  EXPECT_EQ(hwndOf(form->LabelTitle), nullptr) << "a control on a page not shown has a window";
  form->PageControlClean.setActivePage(form->TabSheetOptions);
  form->PageControlClean.setActivePage(form->TabSheetCleanFiles);

  int checkedControls = 0;
  for (Component* component : form->components()) {
    auto* control = dynamic_cast<Control*>(component);
    if (!control) continue;
    HWND hwnd = hwndOf(*control);
    ASSERT_TRUE(IsWindow(hwnd)) << control->name();
    EXPECT_EQ(GetParent(hwnd), hwndOf(*control->parent())) << control->name();
    EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, control->showing()) << control->name();
    Rect expected = control->bounds();
    // A drop-down list's window includes its list.
    if (dynamic_cast<ComboBox*>(control)) expected.height = placeOf(hwnd).height;
    if (control->showing()) {
      EXPECT_EQ(placeOf(hwnd), expected) << control->name();
    }
    ++checkedControls;
  }
  EXPECT_GT(checkedControls, 20);

  EXPECT_EQ(textOf(hwndOf(form->ButtonSearchFiles)), "Search");
  EXPECT_EQ(textOf(hwndOf(form->LabelTitle)), "Velmora Disk Cleaner 1.3");
  EXPECT_EQ(textOf(hwndOf(form->GroupBoxMemory)), " Memory ");
  EXPECT_EQ(textOf(hwndOf(form->CSpinEditTryFree)), "64");
  EXPECT_EQ(textOf(hwndOf(form->MemoExclusions)), "C:\\Windows\r\nD:\\Keep");
  EXPECT_EQ(SendMessageW(hwndOf(form->pbFiles), PBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(SendMessageW(hwndOf(form->ComboBoxLang), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(hwndOf(form->PageControlClean), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(hwndOf(form->TreeVieweg), TVM_GETCOUNT, 0, 0), 3);
  wchar_t status[128] = {};
  SendMessageW(hwndOf(form->StatusBar1), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
  EXPECT_EQ(narrow(status), "Found files: 3 Total space: 12 Kb.");

  // The page area the tab control reports is where the pages are.
  RECT pageArea;
  GetClientRect(hwndOf(form->PageControlClean), &pageArea);
  SendMessageW(hwndOf(form->PageControlClean), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pageArea));
  EXPECT_EQ(
      placeOf(hwndOf(form->TabSheetCleanFiles)),
      (Rect{pageArea.left, pageArea.top, pageArea.right - pageArea.left, pageArea.bottom - pageArea.top}));
}

TEST_F(NativePeersTest, MenuBarShowsTheVisibleItemsWithChecksAndShortcuts) {
  HMENU bar = GetMenu(hwndOf(*form));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  EXPECT_EQ(menuText(bar, 0), "File");
  HMENU options = GetSubMenu(bar, 1);
  ASSERT_EQ(GetMenuItemCount(options), 4);
  EXPECT_EQ(menuText(options, 0), "Settings\tCtrl+O");
  EXPECT_TRUE(GetMenuState(options, 2, MF_BYPOSITION) & MF_SEPARATOR);
  HMENU language = GetSubMenu(options, 1);
  EXPECT_TRUE(GetMenuState(language, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(language, 1, MF_BYPOSITION) & MF_CHECKED);
  HMENU help = GetSubMenu(bar, 2);
  ASSERT_EQ(GetMenuItemCount(help), 1) << "the hidden Contents item is left out";
  EXPECT_EQ(menuText(help, 0), "About Program");

  // A command chosen in the bar arrives as WM_COMMAND and clicks its item.
  SendMessageW(hwndOf(*form), WM_COMMAND, MAKEWPARAM(GetMenuItemID(options, 0), 0), 0);
  SendMessageW(hwndOf(*form), WM_COMMAND, MAKEWPARAM(GetMenuItemID(language, 1), 0), 0);
  EXPECT_EQ(count("MSettings.Click"), 1);
  EXPECT_EQ(count("MLangRussian.Click"), 1);

  // Changes from code reach the bar.
  form->MLangEnglish.setChecked(false);
  form->MLangRussian.setChecked(true);
  form->MFile.setCaption("Файл");
  form->MContents.setVisible(true);
  bar = GetMenu(hwndOf(*form));
  EXPECT_EQ(menuText(bar, 0), "Файл");
  language = GetSubMenu(GetSubMenu(bar, 1), 1);
  EXPECT_FALSE(GetMenuState(language, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(language, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 2)), 2);
}

TEST_F(NativePeersTest, ButtonsAndCheckBoxesAnswerRealClicks) {
  SendMessageW(hwndOf(form->ButtonSearchFiles), BM_CLICK, 0, 0);
  EXPECT_EQ(count("ButtonSearchFiles.Click"), 1);

  form->PageControlClean.setActivePage(form->TabSheetOptions);
  pump();
  HWND box = hwndOf(form->cbAutoDefrag);
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_TRUE(form->cbAutoDefrag.checked());
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(count("cbAutoDefrag.Click"), 1);
  form->cbAutoDefrag.setChecked(false);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(count("cbAutoDefrag.Click"), 1) << "a change from code fires nothing";
}

TEST_F(NativePeersTest, ListViewShowsTheObjectsRowsAndTheObjectOwnsTheCheckMarks) {
  ListView& list = form->ListViewFiles;
  HWND hwnd = hwndOf(list);
  list.addRow({"C:\\temp\\a.tmp", "12"}, true);
  list.addRow({"C:\\temp\\Кэш.dat", "3"}, true);
  list.addRow({"C:\\temp\\c.log", "7"}, true);
  pump();
  ASSERT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(listText(hwnd, 1, 0), "C:\\temp\\Кэш.dat");
  EXPECT_EQ(listText(hwnd, 2, 1), "7");
  EXPECT_TRUE(listChecked(hwnd, 0));

  // Column headers as the object has them.
  wchar_t caption[64] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.pszText = caption;
  column.cchTextMax = 64;
  SendMessageW(hwnd, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_EQ(narrow(caption), "Size, Kb");
  EXPECT_EQ(column.cx, 80);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

  // A click on a check box flips that row's mark once, in the object.
  const POINT box = checkBoxOf(hwnd, 1);
  leftClick(hwnd, box.x, box.y);
  EXPECT_FALSE(list.checked(1));
  EXPECT_FALSE(listChecked(hwnd, 1));
  EXPECT_TRUE(list.checked(0));
  EXPECT_EQ(count("ListViewFiles.Checked 1"), 1);

  // A click on a row's text selects it; Space then flips its mark.
  RECT row2{};
  row2.left = LVIR_LABEL;
  SendMessageW(hwnd, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row2));
  leftClick(hwnd, row2.left + 20, (row2.top + row2.bottom) / 2);
  EXPECT_EQ(list.selectedIndex(), 2);
  EXPECT_EQ(count("ListViewFiles.SelectItem 2"), 1);
  EXPECT_TRUE(list.checked(2)) << "selecting is no check";
  SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(hwnd, WM_KEYUP, VK_SPACE, 0);
  EXPECT_FALSE(list.checked(2));
  EXPECT_FALSE(listChecked(hwnd, 2));
  EXPECT_EQ(count("ListViewFiles.Checked 2"), 1);

  // Check All from code, and a removal that moves the selection.
  list.checkAll();
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(listChecked(hwnd, row)) << row;
  list.remove(0);
  pump();
  EXPECT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(list.selectedIndex(), 1);
  EXPECT_EQ(SendMessageW(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  EXPECT_EQ(listText(hwnd, 0, 0), "C:\\temp\\Кэш.dat");
  EXPECT_EQ(count("ListViewFiles.SelectItem 1"), 0)
      << "a selection that moved with its row is no new selection";

  // Several rows at once, the selected one among them: none stays selected.
  list.addRow({"C:\\temp\\d.tmp", "1"});
  list.removeRows({2, 1});
  pump();
  EXPECT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(list.selectedIndex(), -1);
  EXPECT_EQ(SendMessageW(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
  EXPECT_EQ(listText(hwnd, 0, 0), "C:\\temp\\Кэш.dat");
}

TEST_F(NativePeersTest, ClickingATabChangesThePageUnlessTheRequestRefuses) {
  HWND tabs = hwndOf(form->PageControlClean);
  RECT tab{};
  SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  leftClick(tabs, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(form->PageControlClean.activePage(), &form->TabSheetOptions);
  EXPECT_TRUE(IsWindowVisible(hwndOf(form->TabSheetOptions)));
  EXPECT_FALSE(IsWindowVisible(hwndOf(form->TabSheetCleanFiles)));

  form->PageControlClean.onChanging = [](bool& allow) { allow = false; };
  SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  leftClick(tabs, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(form->PageControlClean.activePageIndex(), 1);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(IsWindowVisible(hwndOf(form->TabSheetOptions)));
}

TEST_F(NativePeersTest, TypingAndArrowsReachEditsCombosAndTheSpinEdit) {
  HWND edit = hwndOf(form->EditSearchFiles);
  SendMessageW(edit, WM_CHAR, 'C', 0);
  SendMessageW(edit, WM_CHAR, ':', 0);
  EXPECT_EQ(form->EditSearchFiles.text(), "C:");
  EXPECT_EQ(count("EditSearchFiles.Change"), 2);
  form->EditSearchFiles.setText("Reading structure C:\\");
  EXPECT_EQ(textOf(edit), "Reading structure C:\\");
  EXPECT_EQ(count("EditSearchFiles.Change"), 2) << "text set from code is no user change";

  form->PageControlClean.setActivePage(form->TabSheetOptions);
  pump();
  HWND spin = hwndOf(form->CSpinEditTryFree);
  HWND arrows = GetWindow(spin, GW_CHILD);
  ASSERT_NE(arrows, nullptr);
  RECT r;
  GetClientRect(arrows, &r);
  leftClick(arrows, r.right / 2, r.bottom / 4);
  EXPECT_EQ(form->CSpinEditTryFree.value(), 72);
  EXPECT_EQ(textOf(spin), "72");
  SendMessageW(spin, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(spin, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form->CSpinEditTryFree.value(), 56);
  SendMessageW(spin, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5000"));
  EXPECT_EQ(form->CSpinEditTryFree.value(), 2048);

  HWND combo = hwndOf(form->ComboBoxLang);
  SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form->ComboBoxLang.text(), "Russian");
  EXPECT_EQ(count("ComboBoxLang.Change"), 1);

  // A multi-line box reports typing, not WM_SETTEXT: the text is typed over.
  HWND memo = hwndOf(form->MemoExclusions);
  SendMessageW(memo, EM_SETSEL, 0, -1);
  SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"E:\\Games\r\nF:\\"));
  EXPECT_EQ(form->MemoExclusions.lines(), (std::vector<std::string>{"E:\\Games", "F:\\"}));
}

TEST_F(NativePeersTest, TypingANewLastLineInTheMemoKeepsTheCaretAndTheLines) {
  form->PageControlClean.setActivePage(form->TabSheetOptions);
  form->MemoExclusions.setLines({"C:\\Windows"});
  pump();
  HWND memo = hwndOf(form->MemoExclusions);
  SetFocus(memo);
  SendMessageW(memo, EM_SETSEL, 10, 10);
  // A new line, a character typed and taken back, then a folder.
  for (wchar_t c : std::wstring(L"\rx\bE:\\More")) SendMessageW(memo, WM_CHAR, c, 0);
  EXPECT_EQ(textOf(memo), "C:\\Windows\r\nE:\\More");
  EXPECT_EQ(form->MemoExclusions.lines(), (std::vector<std::string>{"C:\\Windows", "E:\\More"}));
}

TEST_F(NativePeersTest, ResizingTheWindowAsksTheResizeRequestFirstAndLaysOutAfter) {
  int listWidthAtRequest = -1;
  form->onCanResize = [&](int& width, int&) {
    listWidthAtRequest = form->ListViewFiles.width();
    return width >= 400;
  };
  const int listWidthBefore = form->ListViewFiles.width();
  HWND main = hwndOf(*form);
  SetWindowPos(main, nullptr, 0, 0, 803, 620, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(listWidthAtRequest, listWidthBefore);
  EXPECT_EQ(form->width(), 803);
  EXPECT_EQ(form->height(), 620);
  EXPECT_EQ(form->ListViewFiles.width(), listWidthBefore + 100);
  EXPECT_EQ(placeOf(hwndOf(form->ListViewFiles)).width, listWidthBefore + 100);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(placeOf(hwndOf(form->StatusBar1)).top + 19, client.bottom)
      << "the status bar stays at the bottom";

  SetWindowPos(main, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 803) << "a refused request keeps the size";
  EXPECT_EQ(form->width(), 803);
}

TEST_F(NativePeersTest, MovedToADisplayOfAnotherDpiTheWindowTakesTheSuggestedRectangleAndScalesItsControls) {
  HWND main = hwndOf(*form);
  const Rect units = form->bounds();
  // As Windows suggests it: the client area scaled, inside the frame drawn at
  // the new DPI (which Wine draws at the system's).
  RECT before, client;
  GetWindowRect(main, &before);
  GetClientRect(main, &client);
  const int frameWidth = before.right - before.left - client.right;
  const int frameHeight = before.bottom - before.top - client.bottom;
  const RECT suggested{20, 10, 20 + client.right * 3 / 2 + frameWidth,
                       10 + client.bottom * 3 / 2 + frameHeight};
  SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  pump();
  ASSERT_EQ(form->scale().dpi(), 144);
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.left, suggested.left);
  EXPECT_EQ(outer.top, suggested.top);
  EXPECT_EQ(outer.right - outer.left, suggested.right - suggested.left);
  EXPECT_EQ(outer.bottom - outer.top, suggested.bottom - suggested.top);
  // The form keeps its units, within a rounding.
  EXPECT_NEAR(form->width(), units.width, 1);
  EXPECT_NEAR(form->height(), units.height, 1);
  for (Component* component : form->components()) {
    auto* control = dynamic_cast<Control*>(component);
    if (!control || !control->showing() || dynamic_cast<ComboBox*>(control)) continue;
    EXPECT_EQ(placeOf(hwndOf(*control)), form->scale().toPixels(control->bounds())) << control->name();
  }
  HWND list = hwndOf(form->ListViewFiles);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), form->ListViewFiles.column(0).width * 3 / 2);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, form->scale().toPixels(form->ListViewFiles.font().height));
}

TEST_F(NativePeersTest, TheCloseBoxHidesTheFormAndKeepsItsWindow) {
  int closes = 0;
  form->onClose = [&] { ++closes; };
  SendMessageW(hwndOf(*form), WM_CLOSE, 0, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(form->visible());
  EXPECT_TRUE(IsWindow(hwndOf(*form)));
  EXPECT_FALSE(IsWindowVisible(hwndOf(*form)));
}

TEST_F(NativePeersTest, MinimizingSendsTheMainWindowToTheTrayAndADoubleClickOnTheIconBringsItBack) {
  auto* tray = dynamic_cast<win32::TrayIconPeer*>(form->StTrayIcon1.peer());
  ASSERT_NE(tray, nullptr);
  form->onMinimize = [&] { app.hideMainWindow(); };
  form->StTrayIcon1.onDoubleClick = [&] { app.restoreMainWindow(); };
  HWND main = hwndOf(*form);
  app.post([&] {
    ShowWindow(main, SW_MINIMIZE);
    EXPECT_TRUE(app.mainWindowHidden());
    EXPECT_FALSE(IsWindowVisible(main)) << "neither the window nor its task-bar button remains";
    SendMessageW(tray->hwnd(), win32::kTrayMessage, 1, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(app.mainWindowHidden());
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(form->windowState(), WindowState::Normal);
    app.terminate();
  });
  app.run(*form);
  EXPECT_TRUE(IsWindow(tray->hwnd())) << "the icon's window stays while the program runs";
}

TEST_F(NativePeersTest, AModalFormDisablesTheOthersUntilItsButtonClosesIt) {
  Form dialog(app, "TFormAbout");
  dialog.setBorderStyle(BorderStyle::Dialog);
  dialog.setCaption("About Program");
  dialog.setClientSize(289, 170);
  dialog.setPlacement(FormPlacement::ScreenCenter);
  Button ok(dialog, "OKButton", "OK");
  ok.setBounds({107, 136, 75, 25});
  ok.setModalResult(ModalResult::Ok);
  bool mainWasDisabled = false;
  app.post([&] {
    mainWasDisabled = !IsWindowEnabled(hwndOf(*form));
    RECT client;
    GetClientRect(hwndOf(dialog), &client);
    EXPECT_EQ(client.right, 289);
    EXPECT_EQ(client.bottom, 170);
    SendMessageW(hwndOf(ok), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(dialog.showModal(), ModalResult::Ok);
  EXPECT_TRUE(mainWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(hwndOf(*form)));
  EXPECT_FALSE(IsWindowVisible(hwndOf(dialog)));
}

TEST_F(NativePeersTest, EnterInAnEditPressesTheDefaultButton) {
  SetForegroundWindow(hwndOf(*form));
  SetFocus(hwndOf(form->EditSearchFiles));
  PostMessageW(hwndOf(form->EditSearchFiles), WM_KEYDOWN, VK_RETURN, 0);
  pump();
  EXPECT_EQ(count("ButtonSearchFiles.Click"), 1);
}

TEST_F(NativePeersTest, AnExceptionInAHandlerIsShownAndStaysOnThisSideOfTheWindowProcedure) {
  form->ButtonDeleteFiles.onClick = [] { throw std::runtime_error("Cannot delete C:\\pagefile.sys"); };
  SendMessageW(hwndOf(form->ButtonDeleteFiles), BM_CLICK, 0, 0);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "Cannot delete C:\\pagefile.sys");
  EXPECT_EQ(dialogs.shown()[0].caption, "Velmora Disk Cleaner 1.3");
  SendMessageW(hwndOf(form->ButtonSearchFiles), BM_CLICK, 0, 0);
  EXPECT_EQ(count("ButtonSearchFiles.Click"), 1) << "the loop goes on";
}

TEST_F(NativePeersTest, LabelsPaintInTheirOwnColours) {
  form->PageControlClean.setActivePage(form->TabSheetOptions);
  HWND label = hwndOf(form->LabelTitle);
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 128));
  DeleteDC(dc);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_GE(font.lfWeight, FW_BOLD);
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwndOf(form->LabelSite), WM_GETFONT, 0, 0)), sizeof font,
             &font);
  EXPECT_TRUE(font.lfUnderline);
}

TEST_F(NativePeersTest, LabelsReportThePointerAndShowTheirCursor) {
  form->PageControlClean.setActivePage(form->TabSheetOptions);
  pump();
  HWND site = hwndOf(form->LabelSite);
  std::vector<Point> moves;
  form->LabelSite.onMouseMove = [&](Point at) { moves.push_back(at); };
  SendMessageW(site, WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
  SendMessageW(site, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
  SendMessageW(site, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
  EXPECT_EQ(moves, (std::vector<Point>{{5, 6}}));
  EXPECT_EQ(count("LabelSite.MouseDown"), 1);
  SendMessageW(site, WM_SETCURSOR, reinterpret_cast<WPARAM>(site), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(NativePeersTest, DraggingTheSplitterResizesTheLeftColumnLive) {
  HWND bar = hwndOf(form->Splitter1);
  const int widthBefore = form->PanelFilesLeft.width();
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
  SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(41, 5));
  EXPECT_EQ(form->PanelFilesLeft.width(), widthBefore + 40) << "the column follows while the button is down";
  EXPECT_EQ(placeOf(hwndOf(form->PanelFilesLeft)).width, widthBefore + 40);
  EXPECT_EQ(placeOf(bar).left, widthBefore + 40);
  // The pointer moves on by 10; the bar, now 40 further right, sees it at 11.
  SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(11, 5));
  EXPECT_EQ(form->PanelFilesLeft.width(), widthBefore + 50);
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(11, 5));
  EXPECT_NE(GetCapture(), bar);
}

// Reads the open popup menu's items, then chooses the second one with the keyboard.
std::vector<std::string> popupItems;
void CALLBACK answerPopup(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND menuWindow = FindWindowW(L"#32768", nullptr);
  if (!menuWindow) {
    EndMenu();
    return;
  }
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) popupItems.push_back(menuText(menu, static_cast<UINT>(i)));
  PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(NativePeersTest, TheRightButtonOnTheTrayIconOpensItsMenuAtThePointer) {
  auto* tray = dynamic_cast<win32::TrayIconPeer*>(form->StTrayIcon1.peer());
  ASSERT_NE(tray, nullptr);
  popupItems.clear();
  // Wine on Xvfb takes the pointer back from the X server, which nothing moves,
  // soon after SetCursorPos; so the menu is compared with where the pointer is
  // once the menu has closed, not with where the test tried to put it.
  SetTimer(nullptr, 0, 300, answerPopup);
  SendMessageW(tray->hwnd(), win32::kTrayMessage, 1, WM_RBUTTONDOWN);
  POINT pointer{};
  GetCursorPos(&pointer);
  EXPECT_EQ(popupItems, (std::vector<std::string>{"Restore", "Close"}));
  EXPECT_EQ(form->PopupMenuTray.popupPoint(), (Point{pointer.x, pointer.y}));
  EXPECT_EQ(count("PMClose.Click"), 1);
  EXPECT_EQ(count("PMRestore.Click"), 0);
}

TEST_F(NativePeersTest, ATimerTicksOnTheUiThreadInTheMessageLoop) {
  const DWORD uiThread = GetCurrentThreadId();
  int ticks = 0;
  form->Timer1.setInterval(20);
  form->Timer1.onTimer = [&] {
    EXPECT_EQ(GetCurrentThreadId(), uiThread);
    if (++ticks == 3) app.terminate();
  };
  form->Timer1.setEnabled(true);
  app.run(*form);
  EXPECT_EQ(ticks, 3);
}

TEST_F(NativePeersTest, SavesAScreenshotOfEachPage) {
  // Rows with icons from the system's image list, as the scans add them.
  SHFILEINFOW info{};
  const auto images = SHGetFileInfoW(L"C:\\windows\\notepad.exe", 0, &info, sizeof info,
                                     SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  form->ImageList1.attach(static_cast<std::uintptr_t>(images));
  form->ListViewFiles.setSmallImages(&form->ImageList1);
  for (int i = 0; i < 30; ++i)
    form->ListViewFiles.addRow(
        {"C:\\windows\\temp\\setup" + std::to_string(i) + ".tmp", std::to_string(i * 7)}, i % 3 != 0,
        info.iIcon);
  form->ListViewFiles.setSelectedIndex(2);
  form->LabelTitle.setCaption("Velmora Disk Cleaner 1.3");
  pump();

  HWND main = hwndOf(*form);
  SetForegroundWindow(main);
  const auto shoot = [&](const wchar_t* name) {
    RedrawWindow(main, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    // Wine hands what a window painted to the X server a little later, while
    // the thread waits for messages.
    for (int i = 0; i < 10; ++i) {
      pump();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    int colours = 0;
    const std::wstring path = testing::outputFolder() + L"\\" + name;
    EXPECT_TRUE(testing::saveWindowBitmap(main, path, colours)) << narrow(path);
    EXPECT_GT(colours, 8) << "the capture shows a drawn window, not a blank area";
  };
  shoot(L"widgets_test_form_files.bmp");
  form->PageControlClean.setActivePage(form->TabSheetOptions);
  shoot(L"widgets_test_form_options.bmp");
}

}  // namespace
}  // namespace velmora::widgets

// The main window's design and how it follows its size, headless. The headless
// frame is the standard one (8-pixel borders, 51 pixels of title and menu bar)
// and the page control's tabs take 24 pixels at the top and 4 at the sides, so a
// window 900 wide has pages 876 wide and, beside the 296-pixel column and the
// 3-pixel splitter, a main part of 577 on the Files page.
#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace velmora::app::testing {
namespace {

std::vector<int> columnWidths(const widgets::ListView& list) {
  std::vector<int> widths;
  for (int i = 0; i < list.columnCount(); ++i) widths.push_back(list.column(i).width);
  return widths;
}

// The five Startup columns all have room and, beside a scroll bar, fill the page.
void expectStartupColumnsInView(const TForm1& form, int pageWidth) {
  const std::vector<int> widths = columnWidths(form.ListViewStartup);
  int total = 0;
  for (int width : widths) total += width;
  EXPECT_TRUE(widths.size() == 5u && *std::min_element(widths.begin(), widths.end()) > 60);
  EXPECT_TRUE(total <= pageWidth - 22 && total >= pageWidth - 27) << total;
}

// The three buttons under a result list stand centred in the main part, 105 wide
// each with 4 pixels between them.
void expectCentredRow(const widgets::Panel& main, const widgets::Button& check,
                      const widgets::Button& uncheck, const widgets::Button& remove, int expectedLeft) {
  EXPECT_EQ(check.left(), expectedLeft);
  EXPECT_EQ(check.left(), (main.width() - 3 * (105 + 4)) / 2);
  EXPECT_EQ(uncheck.left(), check.bounds().right() + 4);
  EXPECT_EQ(remove.left(), uncheck.bounds().right() + 4);
  EXPECT_EQ(remove.width(), 105);
}

TEST_F(MainWindowTest, TheWindowIsBuiltAsDesigned) {
  create();
  EXPECT_EQ(form->width(), 703);
  EXPECT_EQ(form->height(), 588);
  EXPECT_EQ(form->placement(), widgets::FormPlacement::ScreenCenter);

  // The left column stacks its parts from the bottom up, the type list on top;
  // controls aligned to one edge take it in creation order.
  const widgets::Panel& left = form->PanelFilesLeft;
  EXPECT_EQ(left.width(), 296);
  EXPECT_EQ(form->PanelDriveInfo.bounds().bottom(), left.height());
  EXPECT_EQ(form->ListViewDrives.bounds().bottom(), form->PanelDriveInfo.top());
  EXPECT_EQ(form->PanelFilesCheck.bounds().bottom(), form->ListViewDrives.top());
  EXPECT_EQ(form->ListViewTypesFiles.top(), 0);
  EXPECT_EQ(form->ListViewTypesFiles.bounds().bottom(), form->PanelFilesCheck.top());
  EXPECT_EQ(form->Splitter1.neighbour(), &left) << "the splitter resizes the left column";
  EXPECT_EQ(form->ListViewFiles.bounds().bottom(), form->PanelFilesBottom.top());

  // The button rows and edit lines fit the designed size (main part 380) at once,
  // while the columns keep their designed widths until the first resize.
  expectCentredRow(form->PanelFilesMain, form->ButtonCheckFiles, form->ButtonUncheckFiles,
                   form->ButtonDeleteFiles, 26);
  EXPECT_EQ(form->EditSearchFiles.width(), 380 - 88 - 4);
  EXPECT_EQ(columnWidths(form->ListViewFiles), (std::vector<int>{350, 80}));
  expectStartupColumnsInView(*form, 703 - 24);  // Pages are 24 pixels narrower than the window.
  EXPECT_EQ(columnWidths(form->ListViewUninstall), (std::vector<int>{200, 150, 80, 230}));
  // The drive list's columns fill it but for its frame.
  EXPECT_EQ(form->ListViewDrives.column(0).width + form->ListViewDrives.column(1).width, 296 - 4);
}

TEST_F(MainWindowTest, AfterAResizeTheFilesPageFitsTheNewWidth) {
  create();
  ASSERT_TRUE(form->userResize(900, 650));
  ASSERT_EQ(form->PanelFilesMain.width(), 577);
  EXPECT_EQ(columnWidths(form->ListViewFiles), (std::vector<int>{577 - 80 - 22, 80}));
  EXPECT_EQ(form->EditSearchFiles.width(), 577 - 88 - 4);
  EXPECT_EQ(form->pbFiles.width(), 577 - 8 - 4);
  expectCentredRow(form->PanelFilesMain, form->ButtonCheckFiles, form->ButtonUncheckFiles,
                   form->ButtonDeleteFiles, 125);

  // Narrowing follows as well, and the splitter's drag too.
  ASSERT_TRUE(form->userResize(800, 600));
  EXPECT_EQ(form->ListViewFiles.column(0).width, 477 - 102);
  expectCentredRow(form->PanelFilesMain, form->ButtonCheckFiles, form->ButtonUncheckFiles,
                   form->ButtonDeleteFiles, 75);
  ASSERT_EQ(form->Splitter1.userDrag(40), 40);
  EXPECT_EQ(form->ListViewFiles.column(0).width, 437 - 102);
  EXPECT_EQ(form->ButtonCheckFiles.left(), (437 - 327) / 2);
}

TEST_F(MainWindowTest, AfterAResizeTheOtherPagesFitTheNewWidthWhenShown) {
  create();
  ASSERT_TRUE(form->userResize(900, 650));

  ASSERT_TRUE(form->PageControlClean.userChangePage(1));
  // The Registry page has no splitter: its main part is 3 pixels wider.
  ASSERT_EQ(form->PanelRegMain.width(), 667);
  EXPECT_EQ(form->EditSearchReg.width(), 667 - 88 - 4);
  EXPECT_EQ(form->pbReg.width(), 667 - 8 - 4);
  expectCentredRow(form->PanelRegMain, form->ButtonCheckReg, form->ButtonUncheckReg, form->ButtonDeleteReg,
                   170);
  EXPECT_EQ(columnWidths(form->ListViewReg), (std::vector<int>{150, 520, 80, 300})) << "never resized";

  // Pages 876 wide: the three buttons centred with 4 pixels between them.
  ASSERT_TRUE(form->PageControlClean.userChangePage(2));
  ASSERT_EQ(form->TabSheetCleanStartup.width(), 876);
  expectStartupColumnsInView(*form, 876);
  EXPECT_EQ(form->ButtonSearchStartup.left(), 319);
  EXPECT_EQ(form->ButtonDisableStartup.left(), 319 + 75 + 4);
  EXPECT_EQ(form->ButtonDeleteStartup.left(), 319 + 2 * (75 + 4));

  ASSERT_TRUE(form->PageControlClean.userChangePage(3));
  EXPECT_EQ(columnWidths(form->ListViewUninstall), (std::vector<int>{256, 170, 85, 341}));
  EXPECT_EQ(form->ButtonSearchUninstall.left(), 319);
  EXPECT_EQ(form->ButtonUninstall.left(), 319 + 75 + 4);
  EXPECT_EQ(form->ButtonDeleteUninstall.left(), 319 + 2 * (75 + 4));
}

TEST_F(MainWindowTest, TheDriveColumnsLeaveRoomForAScrollBarWhenTheDrivesNeedOne) {
  for (char letter : std::string("CDEFG")) machine.drives.addDrive(letter, {});
  h.backend().onModal = [](widgets::Form& shown) { shown.userClose(); };
  create().show();
  ASSERT_EQ(form->Splitter1.userDrag(-30), -30);
  EXPECT_EQ(columnWidths(form->ListViewDrives), (std::vector<int>{266 - 22 - 115, 115}));
}

TEST_F(MainWindowTest, AWindowTooNarrowForTheFixedColumnsLeavesThemEmpty) {
  create();
  ASSERT_TRUE(form->userResize(300, 300));
  EXPECT_EQ(form->ListViewFiles.column(0).width, 0) << "never a negative width";
  ASSERT_TRUE(form->PageControlClean.userChangePage(2));
  ASSERT_TRUE(form->userResize(30, 300));
  EXPECT_EQ(form->ListViewStartup.column(0).width, 0);
  EXPECT_EQ(form->ListViewStartup.column(1).width, 0);
}

}  // namespace
}  // namespace velmora::app::testing

// How the main window follows its size: the controls whose width or place depends
// on the window's width.
#include <algorithm>

#include "app/main_window.h"

namespace velmora::app {
namespace {

// The size column of the file list, the room left for a vertical scroll bar, and
// the gap between controls.
constexpr int kSizeColumnWidth = 80;
constexpr int kScrollBarAllowance = 22;
constexpr int kGap = 4;
// The rows the drive list's designed height shows whole under its header in the
// dialog font of Windows (Wine's smaller rows show six): with more drives its
// vertical scroll bar appears, and columns that filled the list would then bring
// a horizontal one too, hiding a row.
constexpr int kDriveRowsInView = 4;

// A column width from a computed figure. A negative width would reach the native
// list as one of its automatic-size codes (-1, -2), so a window narrower than its
// fixed columns gets empty columns instead.
void setColumn(widgets::ListView& list, int column, int width) {
  list.setColumnWidth(column, std::max(width, 0));
}

// A proportion of a width, in tenths, truncated toward zero; integers keep it exact
// where a floating-point product could land just below a whole number.
int tenths(int width, int parts) { return width * parts / 10; }
int hundredths(int width, int parts) { return width * parts / 100; }

// The shares of the Startup list's width its five columns take, in hundredths:
// every column stays in view, the commands and paths getting the most room.
constexpr int kStartupColumnShares[] = {18, 29, 12, 18, 23};

// Buttons side by side with kGap between them, the row centred as a group in
// width; each button's share of the row is its width plus the gap. Buttons of one
// width give the designed rows; a button widened for a longer caption moves its
// neighbours apart instead of covering them.
void centreRow(std::initializer_list<widgets::Button*> row, int width) {
  int share = 0;
  for (const widgets::Button* button : row) share += button->width() + kGap;
  int left = (width - share) / 2;
  for (widgets::Button* button : row) {
    button->setLeft(left);
    left = button->bounds().right() + kGap;
  }
}

// The edit line and progress bar of a scan panel reach to kGap before the right
// edge of the page's main part; the three buttons are centred in it.
void layOutScanPanel(const widgets::Panel& main, widgets::Edit& edit, widgets::ProgressBar& progress,
                     widgets::Button& check, widgets::Button& uncheck, widgets::Button& remove) {
  edit.setWidth(main.width() - edit.left() - kGap);
  progress.setWidth(main.width() - progress.left() - kGap);
  centreRow({&check, &uncheck, &remove}, main.width());
}

}  // namespace

void TForm1::LayOutMainWindow() {
  fitColumns();
  placeControls();
}

void TForm1::fitColumns() {
  // The category names take what the "Found" column leaves of the type list.
  setColumn(ListViewTypesFiles, 1, kFoundColumnWidth);
  setColumn(ListViewTypesFiles, 0, ListViewTypesFiles.width() - kFoundColumnWidth - kListBorders);
  fitDriveColumns();

  setColumn(ListViewFiles, 1, kSizeColumnWidth);
  setColumn(ListViewFiles, 0, ListViewFiles.width() - kSizeColumnWidth - kScrollBarAllowance);

  const int startupWidth = TabSheetCleanStartup.width() - kScrollBarAllowance;
  for (int column = 0; column < 5; ++column)
    setColumn(ListViewStartup, column, hundredths(startupWidth, kStartupColumnShares[column]));

  const int uninstallWidth = TabSheetCleanUninstall.width() - kScrollBarAllowance;
  setColumn(ListViewUninstall, 0, tenths(uninstallWidth, 3));
  setColumn(ListViewUninstall, 1, tenths(uninstallWidth, 2));
  setColumn(ListViewUninstall, 2, tenths(uninstallWidth, 1));
  setColumn(ListViewUninstall, 3, tenths(uninstallWidth, 4));
}

void TForm1::fitDriveColumns() {
  const int taken = ListViewDrives.count() > kDriveRowsInView ? kScrollBarAllowance : kListBorders;
  setColumn(ListViewDrives, 1, kDriveSizeColumnWidth);
  setColumn(ListViewDrives, 0, ListViewDrives.width() - kDriveSizeColumnWidth - taken);
}

void TForm1::placeControls() {
  layOutScanPanel(PanelFilesMain, EditSearchFiles, pbFiles, ButtonCheckFiles, ButtonUncheckFiles,
                  ButtonDeleteFiles);
  layOutScanPanel(PanelRegMain, EditSearchReg, pbReg, ButtonCheckReg, ButtonUncheckReg, ButtonDeleteReg);
  centreRow({&ButtonSearchStartup, &ButtonDisableStartup, &ButtonDeleteStartup},
            TabSheetCleanStartup.width());
  centreRow({&ButtonSearchUninstall, &ButtonUninstall, &ButtonDeleteUninstall},
            TabSheetCleanUninstall.width());
}

}  // namespace velmora::app

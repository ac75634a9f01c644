#include "sysinfo/form_sys_info.h"

namespace velmora::sysinfo {
namespace {

// Rows inside a group box: below the box's caption, one every 18 pixels, titles
// at the left margin and values in a column of their own. The value columns
// start where the longest title of either language ends, so that no title runs
// into its value.
constexpr int kFirstRowTop = 20;
constexpr int kRowHeight = 18;
constexpr int kTitleLeft = 12;
constexpr int kRightMargin = 8;
constexpr int kWideBoxValueLeft = 124;
constexpr int kNarrowBoxValueLeft = 112;

// Puts a fact on row `row` of its group box. The value label keeps the height of
// its text but not its width: it spans the rest of the row, so that the longer
// text it gets at run time is shown as far as the box allows, and never beyond.
void placeRow(widgets::Label& title, widgets::Label& value, int row, int valueLeft) {
  const int top = kFirstRowTop + row * kRowHeight;
  title.setPosition(kTitleLeft, top);
  value.setAutoSize(false);
  value.setBounds({valueLeft, top, value.parent()->width() - valueLeft - kRightMargin, value.height()});
}

}  // namespace

TFormSysInfo::TFormSysInfo(widgets::Application& app) : Form(app, "TFormSysInfo") {
  setCaption("System Information");
  setBorderStyle(widgets::BorderStyle::Dialog);
  setClientSize(474, 368);
  setPlacement(widgets::FormPlacement::OwnerCenter);

  GroupBoxHardware.setCaption(" Computer ");
  GroupBoxHardware.setBounds({8, 8, 457, 97});
  placeRow(LabelCompName, laCompName, 0, kWideBoxValueLeft);
  placeRow(LabelUserName, laUserName, 1, kWideBoxValueLeft);
  placeRow(LabelCPU, laCPU, 2, kWideBoxValueLeft);
  placeRow(LabelFamily, laFamily, 3, kWideBoxValueLeft);

  GroupBoxSystem.setCaption(" System ");
  GroupBoxSystem.setBounds({8, 112, 457, 97});
  placeRow(LabelWinDir, laWinDir, 0, kWideBoxValueLeft);
  placeRow(LabelSysDir, laSysDir, 1, kWideBoxValueLeft);
  placeRow(LabelOS, laOS, 2, kWideBoxValueLeft);
  placeRow(LabelBIOSDate, laBIOSDate, 3, kWideBoxValueLeft);

  GroupBoxVideo.setCaption(" Video System ");
  GroupBoxVideo.setBounds({8, 216, 225, 97});
  placeRow(LabelScreenSize, laScreenSize, 0, kNarrowBoxValueLeft);
  placeRow(LabelBitsPerPixel, laBitsPerPixel, 1, kNarrowBoxValueLeft);
  placeRow(LabelColors, laColors, 2, kNarrowBoxValueLeft);
  // The colour text is the longest of the narrow boxes ("True-Color / 16 млн
  // цветов"); it may take a second line, which the box's free last row holds.
  laColors.setHeight(2 * laColors.height());

  GroupBoxMemory.setCaption(" Memory ");
  GroupBoxMemory.setBounds({240, 216, 225, 97});
  placeRow(LabelFreeMemory, laFreeMemory, 0, kNarrowBoxValueLeft);
  placeRow(LabelRAM, laRAM, 1, kNarrowBoxValueLeft);
  placeRow(LabelFreeRAM, laFreeRAM, 2, kNarrowBoxValueLeft);

  ButtonClose.setBounds({199, 330, 75, 25});
  ButtonClose.onClick = [this] { ButtonCloseClick(); };
  FormCreate();
}

// Will read the facts once, at creation, in the order computer, video, memory,
// system, each into its value label; that comes with the system-information
// sources. Until then every value shows "XXX", as it does for a fact that
// cannot be read.
void TFormSysInfo::FormCreate() {}

void TFormSysInfo::ButtonCloseClick() { close(); }

}  // namespace velmora::sysinfo

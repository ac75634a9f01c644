#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "headless_app.h"
#include "widgets/buttons.h"
#include "widgets/combo_box.h"
#include "widgets/edits.h"
#include "widgets/form.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/page_control.h"
#include "widgets/spin_edit.h"
#include "widgets/timer.h"

namespace velmora::widgets {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  testing::HeadlessApp h;
  Form form{h.app, "TFormMemory"};
};

TEST_F(ControlsTest, ButtonClickFiresUnlessDisabled) {
  Button button(form, "ButtonClean", "Clean");
  int clicks = 0;
  button.onClick = [&] { ++clicks; };
  button.click();
  button.setEnabled(false);
  button.click();
  EXPECT_EQ(clicks, 1);
}

// A caption longer than the button widens it; moving the button keeps that width,
// and a short caption again brings back the width the button was made with.
TEST_F(ControlsTest, ButtonTakesTheWidthItsCaptionNeeds) {
  Button button(form, "ButtonUninstall", "Uninstall");
  button.setBounds({10, 7, 75, 25});
  ASSERT_EQ(button.width(), 75);
  button.setCaption("Деинсталлировать");
  const int wide = button.width();
  EXPECT_GT(wide, button.textSize(button.caption()).width);
  button.setLeft(200);
  EXPECT_EQ(button.bounds(), (Rect{200, 7, wide, 25}));
  button.setCaption("Uninstall");
  EXPECT_EQ(button.width(), 75);
  button.setWidth(150);
  button.setCaption("Деинсталлировать");
  EXPECT_EQ(button.width(), std::max(150, wide));
}

TEST_F(ControlsTest, CheckBoxFlipsOnClickButNotFromCode) {
  CheckBox box(form, "cbAutoDefrag", "auto defrag");
  std::vector<bool> seen;
  box.onClick = [&] { seen.push_back(box.checked()); };
  box.click();
  box.click();
  box.setChecked(true);
  box.userSetChecked(false);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, false}));
  EXPECT_FALSE(box.checked());
}

TEST_F(ControlsTest, EditAndMemoReportOnlyRealChanges) {
  Edit edit(form, "EditSearchFiles");
  Memo memo(form, "MemoExclusions");
  int editChanges = 0;
  int memoChanges = 0;
  edit.onChange = [&] { ++editChanges; };
  memo.onChange = [&] { ++memoChanges; };

  edit.userSetText("C:\\");
  edit.userSetText("C:\\");
  edit.setText("from code");
  EXPECT_EQ(editChanges, 1);
  EXPECT_EQ(edit.text(), "from code");

  memo.userSetText("C:\\Windows\r\nD:\\Keep\r\n");
  memo.userSetText("C:\\Windows\nD:\\Keep");
  EXPECT_EQ(memoChanges, 1) << "the same lines with other line ends are no change";
  EXPECT_EQ(memo.lines(), (std::vector<std::string>{"C:\\Windows", "D:\\Keep"}));
  EXPECT_EQ(memo.text(), "C:\\Windows\r\nD:\\Keep");
}

TEST(SplitLines, FollowsTheLineEndsOfTextFiles) {
  EXPECT_EQ(splitLines(""), std::vector<std::string>{});
  EXPECT_EQ(splitLines("a"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(splitLines("\r\n"), (std::vector<std::string>{""}));
  EXPECT_EQ(splitLines("a\n\r"), (std::vector<std::string>{"a", ""})) << "LF then CR is two line ends";
}

TEST_F(ControlsTest, ComboBoxSelectsOnlyItsOwnItems) {
  ComboBox combo(form, "ComboBoxLang");
  combo.setItems({"English", "Russian"});
  int changes = 0;
  combo.onChange = [&] { ++changes; };
  EXPECT_EQ(combo.itemIndex(), -1);
  EXPECT_EQ(combo.text(), "");
  combo.userSelect(1);
  EXPECT_EQ(combo.text(), "Russian");
  combo.setItemIndex(7);
  EXPECT_EQ(combo.itemIndex(), -1);
  combo.setItemIndex(0);
  combo.setItems({"Deutsch"});
  EXPECT_EQ(combo.text(), "Deutsch") << "index 0 still names an item";
  combo.setItemIndex(0);
  combo.setItems({});
  EXPECT_EQ(combo.itemIndex(), -1);
  EXPECT_EQ(changes, 1);
}

TEST_F(ControlsTest, ProgressBarKeepsItsPositionInsideTheRange) {
  ProgressBar bar(form, "pbFiles");
  bar.setPosition(150);
  EXPECT_EQ(bar.position(), 100);
  bar.setPosition(-1);
  EXPECT_EQ(bar.position(), 0);
  bar.setPosition(70);
  bar.setRange(0, 50);
  EXPECT_EQ(bar.position(), 50);
  bar.setRange(10, 5);
  EXPECT_EQ(bar.max(), 10);
  EXPECT_EQ(bar.position(), 10);
}

TEST_F(ControlsTest, SpinEditClampsStepsAndReadsNonNumbersAsTheMinimum) {
  SpinEdit spin(form, "CSpinEditTryFree");
  EXPECT_EQ(spin.value(), 0) << "a new spin edit reads 0";
  spin.setRange(0, 2048);
  spin.setIncrement(8);
  spin.setValue(5000);
  EXPECT_EQ(spin.text(), "2048");
  spin.setValue(-3);
  EXPECT_EQ(spin.value(), 0);

  spin.userSetText("100");
  spin.userStep(+1);
  EXPECT_EQ(spin.value(), 108);
  spin.userSetText("2045");
  spin.userStep(+1);
  EXPECT_EQ(spin.value(), 2048);
  spin.userStep(-1);
  EXPECT_EQ(spin.value(), 2040);

  spin.userSetText("12abc");
  EXPECT_EQ(spin.value(), 0);
  spin.userSetText(" 64 ");
  EXPECT_EQ(spin.value(), 64);
  spin.userSetText("99999999999999999999");
  EXPECT_EQ(spin.value(), 0) << "a number that does not fit is not a number";
  spin.userSetText("9999");
  EXPECT_EQ(spin.value(), 2048);
  spin.userLeave();
  EXPECT_EQ(spin.text(), "2048") << "leaving the box shows the value it stands for";

  SpinEdit free(form, "Unbounded");
  free.userSetText("-7");
  EXPECT_EQ(free.value(), -7) << "without a range the value is not clamped";
}

TEST(SpinEditParse, AcceptsWholeNumbersOnly) {
  EXPECT_EQ(SpinEdit::parse("42"), 42);
  EXPECT_EQ(SpinEdit::parse("+42"), 42);
  EXPECT_EQ(SpinEdit::parse("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(SpinEdit::parse("2147483648"), std::nullopt);
  EXPECT_EQ(SpinEdit::parse(""), std::nullopt);
  EXPECT_EQ(SpinEdit::parse("4.5"), std::nullopt);
  EXPECT_EQ(SpinEdit::parse("--4"), std::nullopt);
}

TEST_F(ControlsTest, AutoSizedLabelTakesTheSizeOfItsText) {
  Label label(form, "LabelText", "xxx");
  const int narrow = label.width();
  label.setCaption("A newer version is available: 1.4");
  EXPECT_GT(label.width(), narrow);
  Font larger = label.font();
  larger.height = -13;
  const int before = label.width();
  label.setFont(larger);
  EXPECT_GT(label.width(), before);
  // Centring by the label's width, as the update window does.
  form.setClientSize(329, 82);
  label.setLeft((form.width() - label.width()) / 2);
  EXPECT_EQ(label.left(), (form.width() - label.width()) / 2);

  Label fixed(form, "LabelDriveInfo");
  fixed.setAutoSize(false);
  fixed.setSize(200, 90);
  fixed.setCaption("Drive: C:\nLabel: System");
  EXPECT_EQ(fixed.width(), 200);
  EXPECT_EQ(fixed.height(), 90);
}

TEST_F(ControlsTest, ChildrenFollowTheirParentsFontUntilGivenTheirOwn) {
  Label title(form, "LabelTitle", "Velmora Disk Cleaner 1.3");
  Label plain(form, "LabelAbout", "clean your drive");
  Font bold = title.font();
  bold.bold = true;
  title.setFont(bold);
  title.setFontColor(colors::navy);
  Font formFont = form.font();
  formFont.name = "Tahoma";
  form.setFont(formFont);
  EXPECT_EQ(plain.font().name, "Tahoma");
  EXPECT_EQ(title.font().name, "MS Sans Serif") << "a control with its own font keeps it";
  EXPECT_TRUE(title.font().bold);
  EXPECT_EQ(title.font().color, colors::navy);
}

TEST_F(ControlsTest, PageChangeRequestMayRefuse) {
  PageControl pages(form, "PageControlClean");
  TabSheet files(pages, "TabSheetCleanFiles");
  TabSheet registry(pages, "TabSheetCleanReg");
  bool scanning = true;
  int changes = 0;
  pages.onChanging = [&](bool& allow) { allow = !scanning; };
  pages.onChange = [&] { ++changes; };

  EXPECT_FALSE(pages.userChangePage(1));
  EXPECT_EQ(pages.activePage(), &files);
  scanning = false;
  EXPECT_TRUE(pages.userChangePage(1));
  EXPECT_EQ(pages.activePage(), &registry);
  pages.setActivePageIndex(0);
  EXPECT_EQ(changes, 1) << "a change from code fires nothing";
  EXPECT_FALSE(pages.userChangePage(0)) << "the active page is no change";
}

TEST_F(ControlsTest, TimerTicksInTheLoopWhileEnabled) {
  Timer timer(form, "TimerMem");
  timer.setInterval(5);
  Timer stopped(form, "Timer1");
  stopped.setEnabled(false);
  int ticks = 0;
  int stoppedTicks = 0;
  timer.onTimer = [&] {
    if (++ticks == 3) h.app.terminate();
  };
  stopped.onTimer = [&] { ++stoppedTicks; };
  h.app.run(form);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(stoppedTicks, 0);
}

TEST_F(ControlsTest, ComponentsAreFoundByName) {
  Button ok(form, "ButtonOk", "Ok");
  EXPECT_EQ(form.findComponent("ButtonOk"), &ok);
  EXPECT_EQ(form.find<Button>("ButtonOk"), &ok);
  EXPECT_EQ(form.find<Label>("ButtonOk"), nullptr);
  EXPECT_EQ(form.findComponent("TFormMemory"), &form);
  EXPECT_EQ(form.findComponent("Nothing"), nullptr);
  { Button gone(form, "Gone"); }
  EXPECT_EQ(form.findComponent("Gone"), nullptr);
}

}  // namespace
}  // namespace velmora::widgets

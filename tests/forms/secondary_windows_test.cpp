// The Settings, Free Memory, System Information and Software Update windows as
// designed, and the little they do on their own.
#include <gtest/gtest.h>

#include "designed_controls.h"
#include "fakes/fake_services.h"
#include "headless_app.h"
#include "junk/form_settings.h"
#include "memory/form_memory.h"
#include "sysinfo/form_sys_info.h"
#include "update/form_update.h"

namespace velmora::forms {
namespace {

using testing::Designed;
using testing::expectDesigned;

class SecondaryWindowsTest : public ::testing::Test {
 protected:
  widgets::testing::HeadlessApp h;
  fakes::FakeServices machine;
};

TEST_F(SecondaryWindowsTest, SettingsWindowAsDesigned) {
  junk::TFormSettings form(h.app);
  EXPECT_EQ(form.caption(), "Settings");
  EXPECT_EQ(form.width(), 322);
  EXPECT_EQ(form.height(), 324);
  EXPECT_EQ(form.placement(), widgets::FormPlacement::OwnerCenter);
  const Designed table[] = {
      {"PageControl1", "", {8, 8, 297, 241}},
      {"TabSheetGeneral", "General"},
      {"cbCheckUpdate", "check update at startup", {8, 12}},
      {"TabSheetJunk", "Junk Files"},
      {"ListViewJunk", ""},
      {"TabSheetJunkExclusions", "Junk Exclusions"},
      {"MemoExclusions", ""},
      {"ButtonOk", "Ok", {112, 256, 75, 25}},
  };
  expectDesigned(form, table);

  const widgets::ListView& list = form.ListViewJunk;
  ASSERT_EQ(list.columnCount(), 2);
  EXPECT_EQ(list.column(0).caption, "Extension");
  EXPECT_EQ(list.column(0).width, 85);
  EXPECT_EQ(list.column(1).caption, "File Type");
  EXPECT_EQ(list.column(1).width, 165);
  EXPECT_TRUE(list.checkBoxes());
  EXPECT_TRUE(list.rowSelect());
  EXPECT_FALSE(list.captionsEditable());
  // Both lists fill their pages.
  EXPECT_EQ(list.bounds(), form.TabSheetJunk.clientArea());
  EXPECT_EQ(form.MemoExclusions.bounds(), form.TabSheetJunkExclusions.clientArea());
}

TEST_F(SecondaryWindowsTest, SettingsWindowOpensOnGeneralAndStaysOpenWhenTheExclusionsCannotBeSaved) {
  junk::TFormSettings form(h.app);
  std::vector<bool> handedOver;
  bool saves = false;
  form.onSaveExclusions = [&] { return saves; };
  form.onGeneralChosen = [&](bool checked, bool) { handedOver.push_back(checked); };

  form.show();
  form.PageControl1.userChangePage(2);
  form.close();
  form.show();
  EXPECT_EQ(form.PageControl1.activePage(), &form.TabSheetGeneral);

  form.cbCheckUpdate.click();
  form.ButtonOk.click();
  EXPECT_TRUE(form.visible());
  saves = true;
  form.ButtonOk.click();
  EXPECT_FALSE(form.visible());
  EXPECT_EQ(handedOver, (std::vector<bool>{false, true}));
}

TEST_F(SecondaryWindowsTest, FreeMemoryWindowAsDesigned) {
  memory::TFormMemory form(h.app, machine.memory);
  EXPECT_EQ(form.caption(), "Free Memory");
  EXPECT_EQ(form.borderStyle(), widgets::BorderStyle::Dialog);
  EXPECT_GE(form.clientWidth(), 203) << "widened as far as the longest figure needs";
  EXPECT_EQ(form.clientHeight(), 186);
  EXPECT_EQ(form.placement(), widgets::FormPlacement::OwnerCenter);
  const Designed table[] = {
      {"LabelRamTotalTitle", "RAM Total:", {15, 13}},     {"LabelRamTotal", "xxx"},
      {"LabelRamFreeTitle", "RAM Free:", {15, 32}},       {"LabelRamFree", "xxx"},
      {"LabelTryFree", "Try to free (MB):", {15, 62}},    {"CSpinEditTryFree", "0", {120, 56, 57, 22}},
      {"LabelElapsedTime", "Free each (min):", {15, 84}}, {"CSpinEditElapsedTime", "0", {120, 80, 57, 22}},
      {"cbAutoDefrag", "auto defrag", {15, 105, 0, 18}},  {"pbMem", "", {7, 133, 170, 7}},
      {"ButtonClean", "Clean", {-1, 152, 81, 25}},        {"ButtonAbort", "Abort", {-1, 152, 81, 25}},
  };
  expectDesigned(form, table);
  EXPECT_FALSE(form.pbMem.visible());
  EXPECT_EQ(form.pbMem.min(), 0);
  EXPECT_EQ(form.pbMem.max(), 100);
  EXPECT_EQ(form.TimerMem.interval(), 1000);
  EXPECT_TRUE(form.TimerMem.running());
}

TEST_F(SecondaryWindowsTest, FreeMemorySpinFieldsClampToTheirRangesAndStepByTheirIncrements) {
  memory::TFormMemory form(h.app, machine.memory);
  struct Field {
    widgets::SpinEdit& spin;
    int max;
    int step;
  };
  for (const Field& f : {Field{form.CSpinEditTryFree, 2048, 8}, Field{form.CSpinEditElapsedTime, 3600, 5}}) {
    SCOPED_TRACE(f.spin.name());
    EXPECT_EQ(f.spin.value(), 0) << "reads 0 before the window is first shown";
    f.spin.userStep(+1);
    f.spin.userStep(+1);
    EXPECT_EQ(f.spin.value(), 2 * f.step);
    f.spin.userStep(-1);
    EXPECT_EQ(f.spin.value(), f.step);
    f.spin.setValue(5000);
    EXPECT_EQ(f.spin.value(), f.max);
    f.spin.userStep(+1);
    EXPECT_EQ(f.spin.value(), f.max);
    f.spin.setValue(-3);
    EXPECT_EQ(f.spin.value(), 0);
    f.spin.userSetText("many");
    EXPECT_EQ(f.spin.value(), 0);
  }
}

TEST_F(SecondaryWindowsTest, SystemInformationWindowAsDesigned) {
  sysinfo::TFormSysInfo form(h.app, machine.services);
  EXPECT_EQ(form.caption(), "System Information");
  EXPECT_EQ(form.borderStyle(), widgets::BorderStyle::Dialog);
  EXPECT_EQ(form.clientWidth(), 520);
  EXPECT_EQ(form.clientHeight(), 368);
  EXPECT_EQ(form.placement(), widgets::FormPlacement::OwnerCenter);
  const Designed table[] = {
      {"GroupBoxHardware", " Computer ", {8, 8, 503, 97}},
      {"LabelCompName", "Computer name:"},
      {"LabelUserName", "User name:"},
      {"LabelCPU", "CPU:"},
      {"LabelFamily", "CPU Family:"},
      {"GroupBoxSystem", " System ", {8, 112, 503, 97}},
      {"LabelWinDir", "Win Dir:"},
      {"LabelSysDir", "System Dir:"},
      {"LabelOS", "OS Title:"},
      {"LabelBIOSDate", "BIOS Date:"},
      {"GroupBoxVideo", " Video System ", {8, 216, 296, 97}},
      {"LabelScreenSize", "Resolution:"},
      {"LabelBitsPerPixel", "BPP:"},
      {"LabelColors", "Color:"},
      {"GroupBoxMemory", " Memory ", {312, 216, 199, 97}},
      {"LabelFreeMemory", "Free:"},
      {"LabelRAM", "RAM:"},
      {"LabelFreeRAM", "RAM Free:"},
      {"ButtonClose", "Close"},
  };
  expectDesigned(form, table);
}

TEST_F(SecondaryWindowsTest, SoftwareUpdateWindowAsDesigned) {
  update::TFormUpdate form(h.app, machine.shell);
  EXPECT_EQ(form.caption(), "Software Update");
  EXPECT_EQ(form.borderStyle(), widgets::BorderStyle::Dialog);
  EXPECT_EQ(form.clientWidth(), 369);
  EXPECT_EQ(form.clientHeight(), 82);
  EXPECT_EQ(form.placement(), widgets::FormPlacement::DesktopCenter);
  const Designed table[] = {
      {"LabelText", "xxx"},
      {"LabelLink", "xxx"},
      {"ButtonCheck", "Check", {107, 48, 75, 25}},
      {"ButtonClose", "Close", {187, 48, 75, 25}},
  };
  expectDesigned(form, table);
  EXPECT_EQ(form.LabelText.font().height, -13);
  EXPECT_EQ(form.LabelLink.font().height, -13);
  EXPECT_EQ(form.LabelLink.font().color, widgets::colors::blue);
  EXPECT_TRUE(form.LabelLink.font().underline);
  EXPECT_TRUE(form.StringCheckingForUpdates.empty());
}

TEST_F(SecondaryWindowsTest, SoftwareUpdateLabelsCentreAcrossTheWholeWindow) {
  update::TFormUpdate form(h.app, machine.shell);
  form.LabelText.setCaption("There is a newer version: 1.4");
  form.LabelLink.setCaption("");
  form.CentreLabels();
  EXPECT_EQ(form.LabelText.left(), (form.width() - form.LabelText.width()) / 2);
  EXPECT_EQ(form.LabelLink.left(), form.width() / 2);
}

TEST_F(SecondaryWindowsTest, CloseAndAbortButtonsCloseTheirWindows) {
  memory::TFormMemory freeMemory(h.app, machine.memory);
  sysinfo::TFormSysInfo info(h.app, machine.services);
  update::TFormUpdate update(h.app, machine.shell);
  for (auto [form, button] :
       {std::pair<widgets::Form*, widgets::Button*>{&freeMemory, &freeMemory.ButtonAbort},
        {&info, &info.ButtonClose},
        {&update, &update.ButtonClose}}) {
    form->show();
    button->click();
    EXPECT_FALSE(form->visible()) << form->name();
  }
}

}  // namespace
}  // namespace velmora::forms

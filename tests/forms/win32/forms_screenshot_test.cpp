// The secondary windows realized under Wine: a screenshot of each with its
// designed English captions and again with the Russian language file applied,
// and in both languages a check that no caption is cut off and no two controls
// overlap.
//
// The Restore window holds registry constants, whose header must come before
// <windows.h>.
#include "app/form_restore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/form_about.h"
#include "app/form_language.h"
#include "app/language_loader.h"
#include "app/secondary_language_targets.h"
#include "fakes/fake_shell.h"
#include "junk/form_settings.h"
#include "longest_facts_machine.h"
#include "memory/form_memory.h"
#include "platform/profile_file.h"
#include "platform/services.h"
#include "platform/win32/text_encoding_win32.h"
#include "platform/win32/text_files_win32.h"
#include "realized_windows.h"
#include "sysinfo/form_sys_info.h"
#include "unattended/last_run.h"
#include "unattended/schedule_editor.h"
#include "update/form_update.h"

namespace velmora::forms {
namespace {

using testing::windowsPath;

class FormsScreenshotTest : public testing::RealizedWindowsTest {
 protected:
  fakes::FakeShell shell;
  testing::LongestFactsMachine machine;
  platform::Services& services = machine.services();
  app::TFormLanguage formLanguage{app};
  app::TFormAbout formAbout{app, shell};
  junk::TFormSettings formSettings{app};
  memory::TFormMemory formMemory{app, services.memory};
  sysinfo::TFormSysInfo formSysInfo{app, services};
  update::TFormUpdate formUpdate{app, shell};
  app::MessageTexts messages;
  app::TFormRestore formRestore{app, services, messages};
};

TEST_F(FormsScreenshotTest, EveryWindowInEnglishAndInRussian) {
  const std::vector<std::pair<widgets::Form*, std::string>> windows = {
      {&formLanguage, "language"}, {&formAbout, "about"},     {&formSettings, "settings"},
      {&formMemory, "memory"},     {&formSysInfo, "sysinfo"}, {&formUpdate, "update"},
      {&formRestore, "restore"}};
  formSettings.ListViewJunk.addRow({"tmp", "Temporary files"}, true);
  formSettings.ListViewJunk.addRow({"Thumbs.db", "Thumbnail cache"}, true);
  formMemory.TimerMem.tick();
  ASSERT_EQ(formMemory.LabelRamFree.caption(), "1048576 Mb (100%)");
  ASSERT_EQ(formSysInfo.laColors.caption(), formSysInfo.words.colors[3]) << "the longest colours: 24 bits";

  const auto junkPage = [&] { formSettings.PageControl1.setActivePage(formSettings.TabSheetJunk); };
  // The schedule with its longest texts: the longest choice shown and a last run
  // that failed, with a report named as the program names them.
  unattended::ScheduleEditor schedule(app, services, "C:\\Program Files\\Velmora\\VelmoraDiskCleaner.exe",
                                      {formSettings.cbSchedule, formSettings.edScheduleTime,
                                       formSettings.cbScheduleDay, formSettings.LabelLastRun});
  const auto showSchedule = [&](int kind) {
    schedule.load({formSettings.StringScheduleKinds, formSettings.StringScheduleOther,
                   formSettings.StringScheduleDays, formSettings.StringLastRun, formSettings.StringScheduleReading,
                   formSettings.StringScheduleUnavailable, formSettings.StringScheduleUnreadable},
                  3);
    // The boxes take a choice once the task has been read back.
    schedule.awaitReading(std::chrono::seconds(5));
    formSettings.cbSchedule.userSelect(kind);
    formSettings.LabelLastRun.setCaption(
        unattended::lastRunText(formSettings.StringLastRun, {"2026-12-08 12:00:00", "3", "clean-20261208-120000.txt"}));
  };
  showSchedule(2);
  for (auto& [form, name] : windows) {
    expectEverythingFits(*form);
    shoot(*form, name + "_en");
  }
  shoot(formSettings, "settings_junk_en", junkPage);

  // The About window's picture is a static control holding the application's
  // icon at the size the window was designed with, in the display's pixels.
  HWND icon = reinterpret_cast<HWND>(formAbout.ProgramIcon.peer()->nativeHandle());
  const auto shown = reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
  ASSERT_NE(shown, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(shown, &info));
  BITMAP picture{};
  GetObjectW(info.hbmColor, sizeof picture, &picture);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(picture.bmWidth, formAbout.scale().toPixels(formAbout.ProgramIcon.width()));

  platform::Win32TextEncoding encoding;
  platform::Win32TextFiles files(encoding);
  app::LanguageTargets targets;
  app::addSecondaryWindows(targets,
                           {&formMemory, &formSettings, &formSysInfo, &formUpdate, &formAbout, &formRestore});
  app::applyLanguageFile(platform::ProfileFile(files, windowsPath(VELMORA_LANGUAGE_DIR) + "\\Russian.ini"),
                         targets);
  ASSERT_EQ(formSysInfo.caption(), "Сведения о системе") << "the Russian file was read";

  formUpdate.LabelText.setCaption(formUpdate.StringCheckingForUpdates);
  formUpdate.LabelLink.setCaption("");
  formUpdate.CentreLabels();

  showSchedule(3);
  for (auto& [form, name] : windows) {
    shoot(*form, name + "_ru");
    expectEverythingFits(*form);
  }
  shoot(formSettings, "settings_junk_ru", junkPage);
}

}  // namespace
}  // namespace velmora::forms

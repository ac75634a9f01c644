// What Ok leaves in Task Scheduler, what the window shows of a task changed there, and refusals.
#include "main_window_fixture.h"

namespace velmora::app {
namespace {

using platform::TaskTrigger;

constexpr const char* kTask =
    "Velmora Disk Cleaner\\Clean tester (S-1-5-21-1004336348-1177238915-682003330-1001)";

class ScheduleSettingsTest : public testing::MainWindowTest {
 protected:
  ScheduleSettingsTest() {
    machine.drives.addDrive('C', {});
    machine.textFiles.put("C:\\Program Files\\Velmora\\data\\junk.dat", "tmp|Temporary files\r\n");
    machine.textFiles.put("C:\\Program Files\\Velmora\\data\\exclusions.dat", "");
  }

  // The window with two categories and drive C remembered from an earlier run.
  void createWithDrive() {
    machine.textFiles.put(kSettingsPath, "[Options]\r\nfirstStart=0\r\n[Files]\r\nCategories=0,1\r\nDrives=C\r\n");
    create();
  }

  // Opens the Settings window for act and closes it if Ok left it open.
  void inSettings(const std::function<void(junk::TFormSettings&)>& act) {
    h.backend().onModal = [&](widgets::Form&) {
      act(*form->FormSettings);
      if (form->FormSettings->visible()) form->FormSettings->userClose();
    };
    ASSERT_TRUE(form->userShortcut(widgets::Shortcut::parse("Ctrl+O")));
  }

  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& shown : h.dialogs.shown()) texts.push_back(shown.text);
    return texts;
  }
};

TEST_F(ScheduleSettingsTest, OkRegistersEachChoiceAndNeverRemovesTheTask) {
  createWithDrive();
  const std::string exe = "C:\\Program Files\\Velmora\\VelmoraDiskCleaner.exe";
  const std::string folder = "C:\\Program Files\\Velmora";
  // The choice, the time typed and the day's row (Monday first), and the task Ok leaves.
  for (const auto& [kind, time, dayRow, task] :
       {std::tuple{1, "6:05", 0, platform::TaskDefinition{TaskTrigger::daily, 6, 5, 1, exe, "/auto", folder}},
        std::tuple{2, "23:59", 6, platform::TaskDefinition{TaskTrigger::weekly, 23, 59, 0, exe, "/auto", folder}},
        std::tuple{3, "12:00", 0, platform::TaskDefinition{TaskTrigger::logon, 12, 0, 1, exe, "/auto", folder}}}) {
    inSettings([&](junk::TFormSettings& settings) {
      settings.cbSchedule.userSelect(kind);
      settings.edScheduleTime.userSetText(time);
      settings.cbScheduleDay.userSelect(dayRow);
      settings.ButtonOk.click();
      EXPECT_FALSE(settings.visible());
    });
    ASSERT_EQ(machine.scheduler.tasks.count(kTask), 1u) << time;
    EXPECT_EQ(machine.scheduler.tasks.at(kTask), task) << time;
  }
  EXPECT_NE(settingsFile().find("[Files]"), std::string::npos) << "the choices are written at once";

  inSettings([](junk::TFormSettings& settings) {
    EXPECT_EQ(settings.cbSchedule.text(), "At log-on");
    settings.cbSchedule.userSelect(0);
    settings.ButtonOk.click();
  });
  EXPECT_TRUE(machine.scheduler.tasks.empty());
  EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(ScheduleSettingsTest, TheWindowShowsTheTaskAsTaskSchedulerHoldsItNowAndOkLeavesAnOtherAlone) {
  platform::TaskDefinition outside{TaskTrigger::weekly, 9, 15, 3, "C:\\Elsewhere\\VelmoraDiskCleaner.exe", "/auto", ""};
  machine.scheduler.tasks[kTask] = outside;
  create();
  inSettings([](junk::TFormSettings& settings) {
    EXPECT_EQ(settings.cbSchedule.text(), "Every week");
    EXPECT_EQ(settings.edScheduleTime.text(), "09:15");
    EXPECT_EQ(settings.cbScheduleDay.text(), "Wednesday");
    settings.ButtonOk.click();
  });
  EXPECT_EQ(machine.scheduler.tasks.at(kTask), outside) << "Ok without a change registers nothing";

  machine.scheduler.tasks.clear();
  inSettings([](junk::TFormSettings& settings) {
    EXPECT_EQ(settings.cbSchedule.text(), "Never");
  });

  outside.trigger = TaskTrigger::other;
  machine.scheduler.tasks[kTask] = outside;
  inSettings([](junk::TFormSettings& settings) {
    EXPECT_EQ(settings.cbSchedule.text(), "As set in Task Scheduler");
    settings.ButtonOk.click();
  });
  EXPECT_EQ(machine.scheduler.tasks.at(kTask), outside);
}

TEST_F(ScheduleSettingsTest, ARefusedScheduleSaysWhyAndTaskSchedulerKeepsWhatItHad) {
  createWithDrive();
  form->ButtonTypesUncheck.click();
  inSettings([](junk::TFormSettings& settings) {
    settings.cbSchedule.userSelect(1);
    settings.ButtonOk.click();
    EXPECT_TRUE(settings.visible());
    settings.edScheduleTime.userSetText("24:00");
    settings.cbSchedule.userSelect(0);
    settings.ButtonOk.click();  // Never needs neither choices nor a time.
    EXPECT_FALSE(settings.visible());
  });
  EXPECT_TRUE(machine.scheduler.tasks.empty());

  form->ButtonTypesCheck.click();
  machine.scheduler.refusal = "Access is denied. (0x80070005)";
  inSettings([](junk::TFormSettings& settings) {
    settings.cbSchedule.userSelect(2);
    settings.edScheduleTime.userSetText("7.30");
    settings.ButtonOk.click();
    settings.edScheduleTime.userSetText("7:30");
    settings.ButtonOk.click();
    EXPECT_TRUE(settings.visible());
    EXPECT_EQ(settings.cbSchedule.text(), "Never");
  });
  EXPECT_TRUE(machine.scheduler.tasks.empty());
  const auto texts = messages();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], form->FormSettings->StringNoChoices);
  EXPECT_EQ(texts[1], form->FormSettings->StringBadTime);
  EXPECT_NE(texts[2].find("Access is denied. (0x80070005)"), std::string::npos);

  machine.scheduler.readFailure = "The service is not running.";
  inSettings([](junk::TFormSettings& settings) { EXPECT_FALSE(settings.cbSchedule.enabled()); });
  EXPECT_NE(messages().back().find("The service is not running."), std::string::npos);
}

// The last run is the newest report in either report folder.
TEST_F(ScheduleSettingsTest, TheLastRunIsTheNewestReport) {
  auto report = [&](const std::string& path, const std::string& text) {
    machine.files.addFile(path);
    machine.textFiles.put(path, text);
  };
  const std::string beside = "C:\\Program Files\\Velmora\\data\\logs\\";
  report("C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\logs\\clean-20261207-030000.txt",
         "Started: 2026-12-07 03:00:00\r\nExit code: 3\r\n");
  report(beside + "clean-20261206-030000.txt", "Started: 2026-12-06 03:00:00\r\nExit code: 0\r\n");
  report(beside + "clean-notes.txt", "Started: 2027-01-01 00:00:00\r\n");
  report(beside + "clean-20261207-030000-x.txt", "Started: 2027-01-01 00:00:00\r\n");
  create();
  inSettings([](junk::TFormSettings& settings) {
    EXPECT_EQ(settings.LabelLastRun.caption(), "Last run: 2026-12-07 03:00:00, exit 3, clean-20261207-030000.txt");
  });
  // A second run in the same second writes "-2", then "-10": each is newer than
  // the one before, though "-" sorts before "." and "1" before "2".
  report(beside + "clean-20261207-030000-2.txt", "Started: 2026-12-07 03:00:00\r\nExit code: 0\r\n");
  report(beside + "clean-20261207-030000-10.txt", "Started: 2026-12-07 03:00:00\r\nExit code: 2\r\n");
  create();
  inSettings([](junk::TFormSettings& settings) {
    EXPECT_EQ(settings.LabelLastRun.caption(), "Last run: 2026-12-07 03:00:00, exit 2, clean-20261207-030000-10.txt");
  });
}

}  // namespace
}  // namespace velmora::app

// What Ok leaves in Task Scheduler, what the window shows of a task changed there, refusals, and a
// Task Scheduler that answers late or not at all.
#include <future>
#include <thread>

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
    machine.files.addFolder("C:\\Keep");
  }

  // The window with two categories and drive C remembered from an earlier run.
  void createWithDrive() {
    machine.textFiles.put(kSettingsPath, "[Options]\r\nfirstStart=0\r\n[Files]\r\nCategories=0,1\r\nDrives=C\r\n");
    create();
  }

  // Opens the Settings window for act and closes it if Ok left it open. Unless
  // told not to, act runs once Task Scheduler's answer has filled the boxes.
  void inSettings(const std::function<void(junk::TFormSettings&)>& act, bool awaitAnswer = true) {
    h.backend().onModal = [&, awaitAnswer](widgets::Form&) {
      if (awaitAnswer) awaitScheduleAnswer();
      act(*form->FormSettings);
      if (form->FormSettings->visible()) form->FormSettings->userClose();
    };
    ASSERT_TRUE(form->userShortcut(widgets::Shortcut::parse("Ctrl+O")));
  }

  // Runs the UI thread's queue until the schedule box no longer says it is
  // reading, for ten seconds at most.
  void awaitScheduleAnswer() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (form->FormSettings->cbSchedule.text() == form->FormSettings->StringScheduleReading &&
           std::chrono::steady_clock::now() < deadline) {
      h.app.runPendingTasks();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
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
  machine.scheduler.refusal = 0x80070005;
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
  // The system's words for the code, found by the Win32 error it carries, and the code after them.
  EXPECT_NE(texts[2].find("Access is denied. (0x80070005)"), std::string::npos) << texts[2];

  // A reading that fails says so in the schedule's group, not in a box over the window.
  machine.scheduler.readFailure = 0x80070005;
  inSettings([](junk::TFormSettings& settings) {
    EXPECT_FALSE(settings.cbSchedule.enabled());
    EXPECT_EQ(settings.LabelLastRun.caption(), settings.StringScheduleUnreadable + " Access is denied. (0x80070005)");
  });
  EXPECT_EQ(messages().size(), 3u);
}

// The window shows before Task Scheduler answers; the boxes fill when it does, and Ok waits
// for an answer under way but never for one that does not come.
TEST_F(ScheduleSettingsTest, TheWindowShowsAtOnceAndTheScheduleFillsWhenTaskSchedulerAnswers) {
  const platform::TaskDefinition outside{TaskTrigger::weekly, 9, 15, 3, "C:\\Elsewhere\\x.exe", "/auto", ""};
  machine.scheduler.tasks[kTask] = outside;
  createWithDrive();
  auto held = std::make_unique<std::promise<void>>();
  machine.scheduler.readsHeld = held->get_future().share();
  inSettings(
      [&](junk::TFormSettings& settings) {
        EXPECT_EQ(settings.cbSchedule.text(), "Reading…");
        EXPECT_FALSE(settings.cbSchedule.enabled());
        EXPECT_FALSE(settings.edScheduleTime.enabled());
        held->set_value();
        awaitScheduleAnswer();
        EXPECT_EQ(settings.cbSchedule.text(), "Every week");
      },
      false);

  // Ok while the answer is on its way waits for it, then saves the rest of the window.
  held = std::make_unique<std::promise<void>>();
  machine.scheduler.readsHeld = held->get_future().share();
  inSettings(
      [&](junk::TFormSettings& settings) {
        settings.MemoExclusions.userSetText("C:\\Keep");
        std::thread answer([&] {
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
          held->set_value();
        });
        settings.ButtonOk.click();
        answer.join();
        EXPECT_FALSE(settings.visible());
        EXPECT_EQ(settings.cbSchedule.text(), "Every week");
      },
      false);
  EXPECT_EQ(machine.textFiles.bytes("C:\\Program Files\\Velmora\\data\\exclusions.dat"), "C:\\Keep\r\n");

  // An answer that is not there when Ok gives up is dropped when it comes, and the task stays as it is.
  held = std::make_unique<std::promise<void>>();
  machine.scheduler.readsHeld = held->get_future().share();
  inSettings(
      [&](junk::TFormSettings& settings) {
        EXPECT_FALSE(form->scheduleEditor().awaitReading(std::chrono::milliseconds(20)));
        machine.scheduler.refusal = 0x80070005;
        settings.cbRecycle.userSetChecked(!settings.cbRecycle.checked());
        settings.ButtonOk.click();
        EXPECT_FALSE(settings.visible());
        held->set_value();
      },
      false);
  form.reset();  // Waits for the reading thread; its late answer changes nothing.
  EXPECT_EQ(machine.scheduler.tasks.at(kTask), outside);
  EXPECT_TRUE(messages().empty()) << messages().front();
}

// A stopped Task Scheduler service: the window opens without a box, the group says why it is
// disabled, and Ok saves everything else.
TEST_F(ScheduleSettingsTest, WithTaskSchedulerStoppedTheScheduleIsDisabledAndOkSavesTheRest) {
  machine.scheduler.stopped = true;
  createWithDrive();
  inSettings([](junk::TFormSettings& settings) {
    EXPECT_FALSE(settings.cbSchedule.enabled());
    EXPECT_FALSE(settings.edScheduleTime.enabled());
    EXPECT_EQ(settings.LabelLastRun.caption(), settings.StringScheduleUnavailable);
    settings.MemoExclusions.userSetText("C:\\Keep");
    settings.ButtonOk.click();
    EXPECT_FALSE(settings.visible());
  });
  EXPECT_TRUE(messages().empty()) << messages().front();
  EXPECT_EQ(machine.textFiles.bytes("C:\\Program Files\\Velmora\\data\\exclusions.dat"), "C:\\Keep\r\n");

  // Once the service runs again, the next showing reads and changes the task.
  machine.scheduler.stopped = false;
  inSettings([](junk::TFormSettings& settings) {
    settings.cbSchedule.userSelect(3);
    settings.ButtonOk.click();
  });
  EXPECT_EQ(machine.scheduler.tasks.at(kTask).trigger, TaskTrigger::logon);
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

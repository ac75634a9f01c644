// Start-up, settings, menus and tray of the main window, headless.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/language_keys.h"
#include "app/language_loader.h"
#include "main_window_fixture.h"
#include "registry/registry_object.h"

namespace velmora::app::testing {
namespace {

constexpr const char* kSavedSettings =
    "[Options]\r\nLanguage=Russian\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n"
    "trytofree=256\r\ndelay=5\r\nautodefrag=1\r\nrecycleDeleted=1\r\n";

TEST_F(MainWindowTest, FirstRunAsksForTheLanguageBeforeAnythingElseAndSavesTheDefaults) {
  create();
  EXPECT_EQ(applied, std::vector<std::string>{"English"}) << "creation applies the default language";
  // Showing the window selects the Files page after the language window: a page
  // chosen beforehand must still be there when that window appears.
  form->PageControlClean.setActivePageIndex(2);
  answerModal = [this](widgets::Form& shown) {
    EXPECT_FALSE(form->FirstStart) << "the flag is cleared as the window is shown";
    EXPECT_EQ(form->PageControlClean.activePageIndex(), 2) << "the show handler went on before the choice";
    form->FormLanguage->ComboBoxLang.userSelect(1);
    form->FormLanguage->ButtonOk.click();
    EXPECT_FALSE(shown.visible());
  };

  EXPECT_EQ(run(), 0);

  EXPECT_EQ(modalWindows, std::vector<std::string>{"TFormLanguage"});
  EXPECT_EQ(form->PageControlClean.activePageIndex(), 0);
  EXPECT_EQ(form->CurrentLanguage, "Russian");
  EXPECT_EQ(applied, (std::vector<std::string>{"English", "Russian"}));
  EXPECT_TRUE(h.app.terminated());
  EXPECT_EQ(settingsFile(),
            "[Options]\r\nLanguage=Russian\r\nfirstStart=0\r\ncheckUpdateAtStart=1\r\n"
            "trytofree=64\r\ndelay=20\r\nautodefrag=0\r\nrecycleDeleted=0\r\n"
            "[Files]\r\nCategories=0,1,2,3,4,5,6,7\r\nDrives=\r\n");
}

TEST_F(MainWindowTest, ALaterRunReadsItsSettingsAsksNothingAndSavesWhatChanged) {
  machine.textFiles.put(kSettingsPath, kSavedSettings);
  create();
  EXPECT_EQ(form->CurrentLanguage, "Russian");
  EXPECT_FALSE(form->FirstStart);
  EXPECT_FALSE(form->CheckUpdateAtStart);
  EXPECT_EQ(form->TryToFree, 256);
  EXPECT_EQ(form->Delay, 5);
  EXPECT_TRUE(form->AutoDefrag);
  EXPECT_TRUE(form->RecycleDeleted);
  EXPECT_EQ(applied, std::vector<std::string>{"Russian"});

  EXPECT_EQ(run([this] { form->TryToFree = 512; }), 0);
  EXPECT_TRUE(modalWindows.empty());
  EXPECT_EQ(settingsFile(),
            "[Options]\r\nLanguage=Russian\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n"
            "trytofree=512\r\ndelay=5\r\nautodefrag=1\r\nrecycleDeleted=1\r\n"
            "[Files]\r\nCategories=0,1,2,3,4,5,6,7\r\nDrives=\r\n");
}

TEST_F(MainWindowTest, EveryFolderAndTheSettingsFileFollowTheExecutable) {
  machine.textFiles.put("D:\\Apps\\cleaner-copy.ini", "[Options]\r\nLanguage=Russian\r\n");
  form = std::make_unique<TForm1>(h.app, machine.services, "D:\\Apps\\cleaner-copy.exe");
  EXPECT_EQ(form->ProgramFolder, "D:\\Apps\\");
  EXPECT_EQ(form->DataFolder, "D:\\Apps\\data\\");
  EXPECT_EQ(form->ReplyFile, "D:\\Apps\\data\\version.txt");
  EXPECT_EQ(form->HelpFileEnglish, "D:\\Apps\\Help - EN.chm");
  EXPECT_EQ(form->HelpFileRussian, "D:\\Apps\\Help - RU.chm");
  EXPECT_EQ(form->SettingsFilePath, "D:\\Apps\\cleaner-copy.ini");
  EXPECT_EQ(form->CurrentLanguage, "Russian") << "the copy reads its own settings";
}

TEST_F(MainWindowTest, CreationPreparesTitleListsProfileFolderAndIcons) {
  machine.shell.setFolderPath(platform::csidl::profile, "D:\\Profiles\\user");
  // The language is applied once the type lists hold their entries and the
  // Settings window exists, which it captions too.
  form = std::make_unique<TForm1>(h.app, machine.services, *machine.system.executable,
                                  [this](TForm1& window, const std::string& name) {
                                    applied.push_back(name);
                                    EXPECT_EQ(window.ListViewTypesFiles.count(), 8);
                                    EXPECT_EQ(window.ListViewTypesReg.count(), 8);
                                    EXPECT_NE(window.FormSettings, nullptr);
                                  });
  ASSERT_EQ(applied.size(), 1u);
  // The other windows wait for their first use; the tray icon and the timer for
  // the window to be on screen.
  EXPECT_EQ(form->FormAbout.made(), nullptr);
  EXPECT_EQ(form->FormUpdate.made(), nullptr);
  EXPECT_FALSE(form->StTrayIcon1.visible());
  EXPECT_FALSE(form->Timer1.running());

  EXPECT_EQ(form->caption(), "Velmora Disk Cleaner 1.3");
  EXPECT_EQ(h.app.title(), "Velmora Disk Cleaner 1.3");
  EXPECT_EQ(form->ProductPageAddress, "http://velmora.example/velmora_disk_cleaner.shtml");
  EXPECT_EQ(form->ProfileFolder, "D:\\Profiles\\user\\");
  for (widgets::ListView* list : {&form->ListViewTypesFiles, &form->ListViewTypesReg})
    for (int row = 0; row < list->count(); ++row) {
      EXPECT_TRUE(list->checked(row)) << list->name() << " " << row;
      EXPECT_EQ(list->rowCaption(row), "") << list->name() << " " << row;
    }
  EXPECT_EQ(form->ImageList1.handle(), 0u) << "attached once the window is shown";
  run();
  for (widgets::ListView* list : {&form->ListViewFiles, &form->ListViewStartup, &form->ListViewUninstall}) {
    ASSERT_EQ(list->smallImages(), &form->ImageList1) << list->name();
  }
  EXPECT_EQ(form->ImageList1.handle(), machine.shell.systemSmallImageList());
  EXPECT_EQ(form->ListViewReg.smallImages(), nullptr);
  EXPECT_TRUE(form->StTrayIcon1.visible());
  EXPECT_EQ(form->FormAbout.made(), nullptr);

  // Without the system's list the result lists draw no icons.
  TearDown();
  form.reset();
  machine.shell.setSystemImageList(0);
  create();
  run();
  EXPECT_EQ(form->ListViewFiles.smallImages(), nullptr);
  EXPECT_EQ(form->ImageList1.handle(), 0u);
}

TEST_F(MainWindowTest, AFailedSettingsWriteIsShownAndTheProgramStillEnds) {
  machine.textFiles.put(kSettingsPath, kSavedSettings);
  machine.textFiles.setUnwritable(kSettingsPath);
  create();
  EXPECT_EQ(run([this] { form->MExit.click(); }), 0);
  EXPECT_TRUE(h.app.terminated());
  ASSERT_EQ(h.dialogs.shown().size(), 1u);
  EXPECT_EQ(h.dialogs.shown()[0].text,
            "Unable to write to C:\\Program Files\\Velmora\\VelmoraDiskCleaner.ini");
  EXPECT_EQ(h.dialogs.shown()[0].caption, "Velmora Disk Cleaner 1.3");
  EXPECT_EQ(settingsFile(), kSavedSettings);
}

TEST_F(MainWindowTest, TheEndOfTheSessionWritesTheSettingsAsClosingDoes) {
  create();
  run([this] {
    form->userMinimize();
    answerModal = [this](widgets::Form&) {
      form->FormMemory->cbAutoDefrag.click();
      form->endSession();
    };
    form->MFreeMemory.click();
    EXPECT_NE(settingsFile().find("autodefrag=1"), std::string::npos) << settingsFile();
  });
}

TEST_F(MainWindowTest, PagesStayWhileAFilesOrRegistryScanRuns) {
  create();
  // A Files scan runs from the click until its end step has run on the UI thread.
  form->ButtonSearchFiles.click();
  EXPECT_FALSE(form->PageControlClean.userChangePage(1));
  EXPECT_EQ(form->PageControlClean.activePageIndex(), 0);
  while (form->filesPage().scanRunning()) h.app.runPendingTasks();
  EXPECT_TRUE(form->PageControlClean.userChangePage(1));
  form->ButtonSearchReg.click();
  EXPECT_FALSE(form->PageControlClean.userChangePage(2));
  EXPECT_EQ(form->PageControlClean.activePageIndex(), 1);
  while (form->registryPage().scanRunning()) h.app.runPendingTasks();
  EXPECT_TRUE(form->PageControlClean.userChangePage(3));
}

TEST_F(MainWindowTest, ARunningScanKeepsStopOnItsButtonWhenTheLanguageIsApplied) {
  putLanguageFile("English",
                  "[Interface]\r\nStringSearch=Search\r\nStringStop=Stop\r\n"
                  "ButtonSearchFiles->Caption=Search\r\nButtonSearchReg->Caption=Search\r\n");
  createWithLanguageFiles();
  form->ButtonSearchFiles.click();
  form->ButtonSearchReg.click();
  // As every menu command that opens a window does first; nothing has let either
  // scan's end step run yet.
  form->ApplyLanguage(form->CurrentLanguage);
  EXPECT_EQ(form->ButtonSearchFiles.caption(), "Stop");
  EXPECT_EQ(form->ButtonSearchReg.caption(), "Stop");
  while (form->filesPage().scanRunning() || form->registryPage().scanRunning()) h.app.runPendingTasks();
  form->ApplyLanguage(form->CurrentLanguage);
  EXPECT_EQ(form->ButtonSearchFiles.caption(), "Search");
  EXPECT_EQ(form->ButtonSearchReg.caption(), "Search");
}

TEST_F(MainWindowTest, MinimizingSendsTheWindowToTheTrayUntilRestoreOrADoubleClick) {
  machine.textFiles.put(kSettingsPath, kSavedSettings);
  create();
  run([this] {
    form->userMinimize();
    EXPECT_TRUE(form->inTray());
    EXPECT_TRUE(h.app.mainWindowHidden());
    EXPECT_FALSE(h.app.terminated()) << "minimizing does not end the program";

    form->PMRestore.click();
    EXPECT_FALSE(form->inTray());
    EXPECT_EQ(form->windowState(), widgets::WindowState::Normal);
    EXPECT_TRUE(form->visible());

    form->userMinimize();
    form->StTrayIcon1.userDoubleClick();
    EXPECT_FALSE(form->inTray());

    form->StTrayIcon1.userRightButtonDown({300, 400});
    EXPECT_EQ(form->PopupMenuTray.popupPoint(), (widgets::Point{300, 400}));
    EXPECT_FALSE(form->inTray()) << "the right button only opens the menu";

    form->userMinimize();
    form->PMClose.click();
    EXPECT_TRUE(h.app.terminated()) << "Close in the tray menu ends the program";
  });
  EXPECT_NE(settingsFile().find("trytofree=256"), std::string::npos) << "and saves the settings";
}

TEST_F(MainWindowTest, HelpContentsIsHiddenAndOpensTheCurrentLanguagesHelpFile) {
  machine.shell.addDocument("C:\\Program Files\\Velmora\\Help - EN.chm");
  machine.shell.addDocument("C:\\Program Files\\Velmora\\Help - RU.chm");
  create();
  // Hidden, the item cannot be chosen; its command is run directly.
  EXPECT_FALSE(form->MContents.visible());
  form->MContents.onClick();
  form->CurrentLanguage = "Russian";
  form->MContents.onClick();
  form->CurrentLanguage = "German";
  form->MContents.onClick();
  const std::vector<fakes::FakeShell::Opened> opened = machine.shell.opened();
  ASSERT_EQ(opened.size(), 2u) << "a language without a help file opens nothing";
  EXPECT_EQ(opened[0].file, "C:\\Program Files\\Velmora\\Help - EN.chm");
  EXPECT_EQ(opened[1].file, "C:\\Program Files\\Velmora\\Help - RU.chm");
  EXPECT_EQ(opened[0].verb, "open");
  EXPECT_EQ(opened[0].parameters, "");
  EXPECT_EQ(opened[0].showCommand, platform::show_command::normal);
}

TEST_F(MainWindowTest, MenuCommandsApplyTheLanguageAgainBeforeShowingTheirWindow) {
  create();
  std::vector<std::string> appliedBeforeShowing;
  answerModal = [&](widgets::Form& shown) {
    appliedBeforeShowing.push_back(applied.back());
    shown.userClose();
  };
  h.backend().onModal = [&](widgets::Form& shown) {
    modalWindows.push_back(shown.name());
    answerModal(shown);
  };
  form->CurrentLanguage = "Russian";
  for (widgets::MenuItem* item :
       {&form->MSettings, &form->MFreeMemory, &form->MSysInfo, &form->MCheckUpdate, &form->MAbout})
    item->click();
  EXPECT_EQ(modalWindows, (std::vector<std::string>{"TFormSettings", "TFormMemory", "TFormSysInfo",
                                                    "TFormUpdate", "TFormAbout"}));
  EXPECT_EQ(appliedBeforeShowing, std::vector<std::string>(5, "Russian"));

  form->MLangEnglish.click();
  EXPECT_EQ(form->CurrentLanguage, "English");
  EXPECT_EQ(applied.back(), "English");
}

TEST_F(MainWindowTest, TheSettingsWindowShowsAndChangesTheCheckUpdateFlag) {
  create();
  h.backend().onModal = [this](widgets::Form&) {
    EXPECT_TRUE(form->FormSettings->cbCheckUpdate.checked());
    form->FormSettings->cbCheckUpdate.click();
    form->FormSettings->userClose();
  };
  ASSERT_TRUE(form->userShortcut(widgets::Shortcut::parse("Ctrl+O")));
  EXPECT_FALSE(form->CheckUpdateAtStart);
}

// The Free Memory window shows the saved amount and hands a changed one back to
// the settings file; the tray's Free Ram frees with the amount the window shows.
TEST_F(MainWindowTest, TheFreeMemoryWindowCarriesTheMemorySettingsAndTheTrayFreesWithItsAmount) {
  machine.textFiles.put(kSettingsPath, kSavedSettings);
  // 8 MB free: asking for 16 frees those 16, not the whole memory.
  machine.memory.setStatus({98, std::uint64_t{512} << 20, std::uint64_t{8} << 20});
  create();
  answerModal = [this](widgets::Form& shown) {
    memory::TFormMemory& window = *form->FormMemory;
    EXPECT_EQ(window.CSpinEditTryFree.value(), 256);
    EXPECT_EQ(window.CSpinEditElapsedTime.value(), 5);
    EXPECT_TRUE(window.cbAutoDefrag.checked());
    window.CSpinEditTryFree.setValue(16);
    shown.userClose();
  };
  EXPECT_EQ(run([this] {
              form->MFreeMemory.click();
              form->FormMemory->TimerMem.tick();
              form->PMFreeRam.click();
            }),
            0);
  EXPECT_EQ(modalWindows, std::vector<std::string>{"TFormMemory"});
  EXPECT_EQ(machine.memory.commits(), 16u);
  EXPECT_EQ(machine.memory.liveBlocks(), 0u);
  EXPECT_EQ(settingsFile(),
            "[Options]\r\nLanguage=Russian\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n"
            "trytofree=16\r\ndelay=5\r\nautodefrag=1\r\nrecycleDeleted=1\r\n"
            "[Files]\r\nCategories=0,1,2,3,4,5,6,7\r\nDrives=\r\n");
}

TEST_F(MainWindowTest, EachSettingsListLoadsOnItsOwnAndOneThatWasNotReadIsNeverWrittenBack) {
  const std::string data = "C:\\Program Files\\Velmora\\data\\";
  machine.textFiles.put(data + "exclusions.dat", "C:\\Keep\r\n");
  create();  // there is no junk.dat
  EXPECT_EQ(form->FormSettings->MemoExclusions.lines(), std::vector<std::string>{"C:\\Keep"});

  machine.textFiles.setUnreadable(data + "exclusions.dat");
  h.backend().onModal = [this](widgets::Form&) {
    form->FormSettings->MemoExclusions.userSetText("D:\\Other");
    form->FormSettings->ButtonOk.click();
  };
  ASSERT_TRUE(form->userShortcut(widgets::Shortcut::parse("Ctrl+O")));
  EXPECT_FALSE(form->FormSettings->visible());
  EXPECT_EQ(machine.textFiles.bytes(data + "exclusions.dat"), "C:\\Keep\r\n");
  std::vector<std::string> messages;
  for (const auto& shown : h.dialogs.shown()) messages.push_back(shown.text);
  EXPECT_EQ(messages, (std::vector<std::string>{"Cannot open file " + data + "junk.dat",
                                                "Cannot open file " + data + "exclusions.dat",
                                                "Cannot open file " + data + "exclusions.dat"}));
}

// A line as Explorer's "Copy as path" gives it protects its folder. A line that
// names no folder is shown in the language's warning when the list is saved,
// which keeps the window open to mend it, and again before a search, which goes on.
TEST_F(MainWindowTest, ExclusionLinesThatNameNoFolderAreShownAtOkAndBeforeASearch) {
  std::ifstream english(std::string(VELMORA_LANGUAGE_DIR) + "/English.ini", std::ios::binary);
  putLanguageFile("English", std::string(std::istreambuf_iterator<char>(english), {}));
  machine.textFiles.put(kSettingsPath, "[Options]\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n");
  machine.textFiles.put("C:\\Program Files\\Velmora\\data\\junk.dat", "");
  machine.drives.addDrive('C', {});
  machine.files.addFile("C:\\Keep\\a.~tmp");
  machine.files.addFile("C:\\Junk\\b.~tmp");
  createWithLanguageFiles().show();
  h.backend().onModal = [this](widgets::Form&) {
    form->FormSettings->MemoExclusions.userSetText("\"C:\\Keep\"\r\nKeep");
    form->FormSettings->ButtonOk.click();
    EXPECT_TRUE(form->FormSettings->visible()) << "closed before the line could be mended";
    form->FormSettings->userClose();
  };
  ASSERT_TRUE(form->userShortcut(widgets::Shortcut::parse("Ctrl+O")));
  form->ButtonSearchFiles.click();
  while (form->filesPage().scanRunning()) h.app.runPendingTasks();
  std::vector<std::string> messages;
  for (const auto& shown : h.dialogs.shown()) messages.push_back(shown.text);
  const std::string warning = "These exclusion lines name no folder and protect nothing:\r\n\r\nKeep\r\n";
  EXPECT_EQ(messages, (std::vector<std::string>{warning, warning}));
  EXPECT_EQ(form->ListViewFiles.count(), 1) << "C:\\Keep was not kept out";
}

// Whether exclusions.dat exists and can be read, and the files Search lists (none: it did not scan).
class ExclusionListTest : public MainWindowTest,
                          public ::testing::WithParamInterface<std::tuple<bool, bool, int>> {};

TEST_P(ExclusionListTest, AListThatExistsButCannotBeReadStopsTheFilesSearch) {
  const auto [exists, readable, listed] = GetParam();
  const std::string list = "C:\\Program Files\\Velmora\\data\\exclusions.dat";
  if (exists) machine.textFiles.put(list, "C:\\Keep\r\n");
  machine.textFiles.setUnreadable(list, !readable);
  machine.drives.addDrive('C', {});
  machine.files.addFile("C:\\Keep\\a.~tmp");
  machine.files.addFile("C:\\Junk\\b.~tmp");
  h.backend().onModal = [](widgets::Form& shown) { shown.userClose(); };
  create().show();
  form->ButtonSearchFiles.click();
  while (form->filesPage().scanRunning()) h.app.runPendingTasks();
  const auto& shown = h.dialogs.shown();
  EXPECT_EQ(shown.empty() ? "" : shown.back().text, listed > 0 ? "" : "Cannot open file " + list);
  EXPECT_EQ(form->ListViewFiles.count(), listed);
}
INSTANTIATE_TEST_SUITE_P(AbsentUnreadableReadable, ExclusionListTest,
                         ::testing::Values(std::tuple{false, true, 2}, std::tuple{true, false, 0},
                                           std::tuple{true, true, 1}));

TEST_F(MainWindowTest, EveryMainWindowKeyOfTheLanguageFilesFindsItsTarget) {
  create();
  LanguageTargets targets;
  targets.mainForm = form.get();
  targets.messages = &form->messages;
  const std::vector<std::string> unresolved =
      applyLanguageFile(platform::ProfileFile(machine.textFiles, "C:\\none.ini"), targets);
  for (const std::string& key : unresolved)
    EXPECT_TRUE(key.starts_with("Form")) << key << " names nothing on the main window";
  // A missing file leaves the designed captions.
  EXPECT_EQ(form->MCheckUpdate.caption(), "Check for updates ...");
  EXPECT_EQ(form->ListViewUninstall.column(2).caption, "Version");
}

TEST_F(MainWindowTest, ShowingChecksForUpdatesAndTheMenuOpensTheUpdateWindowWithTheOutcome) {
  machine.textFiles.put(kSettingsPath, "[Options]\r\nfirstStart=0\r\ncheckUpdateAtStart=1\r\n");
  machine.internet.isConnected = true;
  create();
  form->messages.set("StringNewVersionIsAvailable", "New: ");
  form->FormUpdate->StringCheckingForUpdates = "Checking...";
  machine.internet.serve(form->ServerRoot + "/cgi-bin/check_update.cgi?title=Velmora+Disk+Cleaner", "1.4");
  const auto checkEnded = [this] {
    while (form->updateChecker().UpdateBusy()) {
      h.app.processMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  };
  std::vector<std::string> shownTexts;
  h.backend().onModal = [&](widgets::Form& shown) {
    modalWindows.push_back(shown.name());
    shownTexts.push_back(form->FormUpdate->LabelText.caption());
    // The check the menu's window starts ends while the window is open; the one
    // that pops the window up ends only once it is closed.
    if (modalWindows.size() == 2) {
      checkEnded();
      shownTexts.push_back(form->FormUpdate->LabelText.caption());
    }
    shown.userClose();
  };

  // Shown without the message loop, so that the start-up check's completion, which
  // shows a window modally, runs here and not inside a step of this test.
  form->show();
  h.app.runPendingTasks();  // the start-up check starts once the window is shown
  checkEnded();
  EXPECT_TRUE(form->updateChecker().IsConnected());
  EXPECT_TRUE(form->Timer1.running());
  machine.internet.isConnected = false;
  form->Timer1.tick();
  EXPECT_FALSE(form->updateChecker().IsConnected());
  machine.internet.isConnected = true;
  form->Timer1.tick();
  form->MCheckUpdate.click();

  EXPECT_EQ(modalWindows, (std::vector<std::string>{"TFormUpdate", "TFormUpdate"}));
  EXPECT_EQ(shownTexts, (std::vector<std::string>{"New: 1.4", "Checking...", "New: 1.4"}));
  EXPECT_EQ(machine.internet.requestedUrls().size(), 2u);
  EXPECT_EQ(machine.internet.agents(), std::vector<std::string>(2, "Velmora Disk Cleaner 1.3"));
  EXPECT_EQ(machine.textFiles.bytes(form->ReplyFile), "1.4");
}

}  // namespace
}  // namespace velmora::app::testing

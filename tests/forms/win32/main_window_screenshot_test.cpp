// The main window realized under Wine with real fonts, on each of its four pages,
// started in one language and switched live to the other from the menu: in every
// state each caption fits, no two controls overlap, and what the screen shows is
// what a fresh paint shows. A screenshot of each page in each state is saved for
// a person to look at.
// The registry service names its keys as Windows does, and comes before
// <windows.h>, which would make those names macros.
#include "app/main_window.h"
#include "fakes/fake_services.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "realized_windows.h"

namespace velmora::forms {
namespace {

using testing::windowsPath;

constexpr const char* kProgramFolder = "C:\\Program Files\\Velmora\\";

std::string shippedLanguageFile(const std::string& language) {
  std::ifstream in(windowsPath(VELMORA_LANGUAGE_DIR) + "\\" + language + ".ini", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MainWindowScreenshotTest : public testing::RealizedWindowsTest {
 protected:
  MainWindowScreenshotTest() {
    for (const char* language : {"English", "Russian"})
      machine.textFiles.put(std::string(kProgramFolder) + "language\\" + language + ".ini",
                            shippedLanguageFile(language));
    // A drive whose information has the long lines: a ten-digit serial number and
    // sizes with thousands separators.
    fakes::FakeDrive system;
    system.space = {21'474'836'480, 85'899'345'920, 21'474'836'480};
    system.volume = {"SYSTEM", 1124073472, "NTFS"};
    machine.drives.addDrive('C', system);
    fakes::FakeDrive stick;
    stick.type = platform::DriveType::removable;
    stick.space = {1'073'741'824, 4'294'967'296, 1'073'741'824};
    stick.volume = {"", 3405691582, "FAT32"};
    machine.drives.addDrive('E', stick);
  }

  // The main window as the program starts it in a language, after a run that
  // chose that language.
  void start(const std::string& language) {
    machine.textFiles.put(
        std::string(kProgramFolder) + "VelmoraDiskCleaner.ini",
        "[Options]\r\nLanguage=" + language + "\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n");
    form = std::make_unique<app::TForm1>(app, machine.services, *machine.system.executable);
    form->show();
    SetForegroundWindow(reinterpret_cast<HWND>(form->peer()->nativeHandle()));
    pump();
  }

  // The summary of a big Files scan in the current language's texts.
  std::string longStatusLine() {
    return form->messages["StringFoundFiles"] + "123456 " + form->messages["StringTotalSpace"] +
           "123456789 Kb.";
  }

  // The window as it stands, then each of the four pages with a long status line.
  void checkEveryPage(const std::string& state) {
    SCOPED_TRACE(state);
    expectScreenShowsFreshPaint(*form, "main_" + state);
    form->StatusBar1.setSimpleText(longStatusLine());
    const char* names[] = {"files", "registry", "startup", "uninstall"};
    for (int page = 0; page < 4; ++page) {
      SCOPED_TRACE(names[page]);
      if (page != form->PageControlClean.activePageIndex()) {
        ASSERT_TRUE(form->PageControlClean.userChangePage(page));
      }
      pump();
      expectEverythingFits(*form);
      expectScreenShowsFreshPaint(*form, "main_" + state + "_" + names[page]);
      saveShot(*form, "main_" + state + "_" + names[page]);
    }
    ASSERT_TRUE(form->PageControlClean.userChangePage(0));
    pump();
  }

  // Starts in one of the two languages and checks every page, then switches to
  // the other from the menu and checks every page again.
  void startThenSwitch(const std::string& language, const std::string& tag) {
    const bool english = language == "English";
    start(language);
    ASSERT_EQ(form->ButtonDeleteFiles.caption(), english ? "Delete" : "Удалить")
        << "the language file was read";
    checkEveryPage(tag);
    (english ? form->MLangRussian : form->MLangEnglish).click();
    ASSERT_EQ(form->ButtonDeleteFiles.caption(), english ? "Удалить" : "Delete") << "the other file was read";
    checkEveryPage(tag + (english ? "_to_ru" : "_to_en"));
  }

  fakes::FakeServices machine;
  std::unique_ptr<app::TForm1> form;
};

TEST_F(MainWindowScreenshotTest, StartedInEnglishThenSwitchedToRussian) { startThenSwitch("English", "en"); }

TEST_F(MainWindowScreenshotTest, StartedInRussianThenSwitchedToEnglish) { startThenSwitch("Russian", "ru"); }

}  // namespace
}  // namespace velmora::forms

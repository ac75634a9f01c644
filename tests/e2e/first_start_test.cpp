// The first start of the real program: the language choice, then the main
// window, and the settings file it leaves beside the executable.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "program_copy.h"
#include "program_process.h"

namespace velmora::e2e {
namespace {

// How the settings remember a drive's volume: ":" and its serial number in
// hexadecimal, or nothing when the volume cannot be read.
std::string volumeOf(const wchar_t* root) {
  DWORD serial = 0;
  if (!GetVolumeInformationW(root, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return "";
  char text[16];
  std::snprintf(text, sizeof text, ":%08lX", static_cast<unsigned long>(serial));
  return text;
}

using namespace std::chrono_literals;

constexpr const wchar_t* kMainCaption = L"Velmora Disk Cleaner 1.3";

// Closes the main window and waits for the program to end with exit code 0.
void closeAndExpectExit(const ProgramProcess& program, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  const auto code = program.waitForExit(30s);
  ASSERT_TRUE(code.has_value()) << "the program did not end within 30 s of WM_CLOSE";
  EXPECT_EQ(*code, 0u);
}

TEST(FirstStart, AsksForTheLanguageOnceAndSavesTheSettingsOnClose) {
  ProgramCopy copy;
  ASSERT_TRUE(copy.readSettings().empty()) << "the copy starts without a settings file";
  {
    ProgramProcess program(copy.exePath());
    ASSERT_TRUE(program.started()) << "could not start the program, error " << program.startError();
    HWND language = program.waitForWindow(L"Select Language", 60s);
    ASSERT_NE(language, nullptr) << "the first start did not ask for the language";
    EXPECT_EQ(program.waitForWindow(kMainCaption, 0ms), nullptr) << "the main window came before the choice";

    HWND ok = FindWindowExW(language, nullptr, L"Button", L"Ok");
    ASSERT_NE(ok, nullptr) << "the Select Language window has no Ok button";
    PostMessageW(ok, BM_CLICK, 0, 0);

    HWND window = program.waitForWindow(kMainCaption, 30s);
    ASSERT_NE(window, nullptr) << "no main window after the language was chosen";
    closeAndExpectExit(program, window);
  }
  EXPECT_EQ(copy.readSettings(),
            "[Options]\r\nLanguage=English\r\nfirstStart=0\r\ncheckUpdateAtStart=1\r\n"
            "trytofree=64\r\ndelay=20\r\nautodefrag=0\r\nrecycleDeleted=0\r\n"
            "[Files]\r\nCategories=0,1,2,3,4,5,6,7\r\nDrives=C" +
                volumeOf(L"C:\\") + "\r\n");

  // The second start goes straight to the main window.
  ProgramProcess again(copy.exePath());
  ASSERT_TRUE(again.started());
  HWND window = again.waitForWindow(kMainCaption, 60s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(again.waitForWindow(L"Select Language", 500ms), nullptr) << "asked for the language again";
  closeAndExpectExit(again, window);
}

}  // namespace
}  // namespace velmora::e2e

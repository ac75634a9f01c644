// The first start of the real program: the language choice, then the main
// window, and the settings file it leaves beside the executable.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "running_program.h"

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

TEST(FirstStart, AsksForTheLanguageOnceAndSavesTheSettingsOnClose) {
  ProgramCopy copy;
  ASSERT_TRUE(copy.readSettings().empty()) << "the copy starts without a settings file";
  {
    RunningProgram program(copy);
    HWND language = program.waitFor(L"Select Language", 60s);
    EXPECT_EQ(program.process().waitForWindow(kMainCaption, 0ms), nullptr)
        << "the main window came before the choice";

    HWND ok = FindWindowExW(language, nullptr, L"Button", L"Ok");
    ASSERT_NE(ok, nullptr) << "the Select Language window has no Ok button";
    PostMessageW(ok, BM_CLICK, 0, 0);
    program.close();
  }
  EXPECT_EQ(copy.readSettings(),
            "[Options]\r\nLanguage=English\r\nfirstStart=0\r\ncheckUpdateAtStart=1\r\n"
            "trytofree=64\r\ndelay=20\r\nautodefrag=0\r\nrecycleDeleted=0\r\n"
            "[Files]\r\nCategories=0,1,2,3,4,5,6,7\r\nDrives=C" +
                volumeOf(L"C:\\") + "\r\n");

  // The second start goes straight to the main window.
  RunningProgram again(copy);
  again.window();
  EXPECT_EQ(again.process().waitForWindow(L"Select Language", 500ms), nullptr)
      << "asked for the language again";
  again.close();
}

}  // namespace
}  // namespace velmora::e2e

// Every secondary window of the real program and one of its message boxes, as
// the X display shows them: a window that Wine drew only into its own surface,
// or that never reached the display, is a black rectangle there, though the
// program's own copy of the screen would show it drawn. In English, then again
// after a live switch to Russian. The message box is the warning about an
// exclusion line that names no folder, which Ok in the Settings window gives
// while the window stays open for the line to be mended.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "png_screenshot.h"
#include "running_program.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;
using widgets::testing::WindowPicture;

// Every secondary window, by the name of its pictures.
struct Opening {
  const wchar_t* name;
  MenuCommand command;
};
constexpr Opening kOpenings[] = {
    {L"restore", MenuCommand::restore},
    {L"settings", MenuCommand::settings},
    {L"free_memory", MenuCommand::freeMemory},
    {L"system_information", MenuCommand::systemInformation},
    {L"software_update", MenuCommand::softwareUpdate},
    {L"about", MenuCommand::about},
};

// The caption of the first menu of a window's menu bar, as the menu holds it.
std::wstring menuBarText(HWND window) {
  wchar_t text[64] = {};
  HMENU bar = GetMenu(window);
  return bar && GetMenuStringW(bar, 0, text, 64, MF_BYPOSITION) > 0 ? std::wstring(text) : std::wstring();
}

// The program's window that took the keyboard other than the one given: what a
// menu command or button just opened. Null when none did within 30 s.
HWND waitForNewForeground(const ProgramProcess& program, HWND other) {
  const DWORD programId = GetProcessId(program.handle());
  HWND shown = nullptr;
  waitUntil(
      [&] {
        HWND foreground = GetForegroundWindow();
        DWORD owner = 0;
        if (foreground) GetWindowThreadProcessId(foreground, &owner);
        shown = foreground && foreground != other && owner == programId && IsWindowVisible(foreground)
                    ? foreground
                    : nullptr;
        return shown != nullptr;
      },
      30s);
  return shown;
}

// Looks at a window on the display, then closes it with a key whatever it saw,
// so that the next window opens over the main window alone.
void expectDrawnOnDisplay(HWND shown, const std::wstring& picture, WORD closeKey) {
  const std::string name(picture.begin(), picture.end());
  WindowPicture seen;
  EXPECT_TRUE(saveWindowPng(shown, picture, seen)) << "could not read the X display: " << name;
  EXPECT_LT(seen.blackShare(), 0.5) << "mostly black on the display: " << name;
  EXPECT_GT(seen.distinctColours(), 8) << "a blank area on the display: " << name;
  ASSERT_TRUE(typeKeys(shown, {closeKey}));
  EXPECT_TRUE(waitUntil([shown] { return !IsWindowVisible(shown); }, 10s)) << name << " stayed open";
}

TEST(WindowsOnTheDisplay, EverySecondaryWindowAndAMessageBoxAreDrawnThere) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  // A relative line keeps nothing out: Ok in the Settings window says so in a
  // message box.
  std::ofstream(copy.folder() / L"data" / L"exclusions.dat", std::ios::binary) << "Keep\r\n";
  RunningProgram program(copy);
  HWND window = program.window();

  for (const std::wstring language : {L"en", L"ru"}) {
    for (const Opening& opening : kOpenings) {
      SCOPED_TRACE(std::string(opening.name, opening.name + wcslen(opening.name)) + " " +
                   std::string(language.begin(), language.end()));
      program.choose(opening.command);
      HWND shown = waitForNewForeground(program.process(), window);
      ASSERT_NE(shown, nullptr) << "the window did not open";
      expectDrawnOnDisplay(shown, std::wstring(L"display_") + opening.name + L"_" + language, VK_ESCAPE);
    }

    SCOPED_TRACE("message box " + std::string(language.begin(), language.end()));
    program.choose(MenuCommand::settings);
    HWND settings = waitForNewForeground(program.process(), window);
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(typeKeys(settings, {VK_RETURN}));
    HWND box = waitForNewForeground(program.process(), settings);
    ASSERT_NE(box, nullptr) << "no warning about the line that keeps nothing out";
    // The box's text is its static control 0xFFFF, on Windows as under Wine: the
    // language's warning and the line.
    const std::wstring text = windowText(GetDlgItem(box, 0xFFFF));
    EXPECT_TRUE(
        text.find(L"Keep") != std::wstring::npos &&
        (language != L"en" || text.starts_with(L"These exclusion lines name no folder and protect nothing:")))
        << "the warning reads \"" << std::string(text.begin(), text.end()) << "\"";
    expectDrawnOnDisplay(box, L"display_message_box_" + language, VK_RETURN);
    // The Settings window stays open for the line to be mended: Esc closes it, and
    // the main window has the keyboard again before anything more is typed.
    EXPECT_TRUE(IsWindowVisible(settings)) << "the Settings window closed before the line could be mended";
    program.closeWithKey(settings, VK_ESCAPE);
    ASSERT_TRUE(waitUntil([window] { return GetForegroundWindow() == window; }, 10s));

    // Options, Language, Russian: the texts change on every window at once, the
    // menu bar's first.
    if (language == L"en") {
      program.choose(MenuCommand::russian);
      ASSERT_TRUE(waitUntil([window] { return menuBarText(window) != L"&File"; }, 10s)) << "still in English";
    }
  }
  program.close();
}

}  // namespace
}  // namespace velmora::e2e

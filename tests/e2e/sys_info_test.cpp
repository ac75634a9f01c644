// The System Information window of the real program, opened from the Options
// menu: every value it shows, against what the test reads of the same machine,
// and pictures of it in English and in Russian; worked from the keyboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <optional>
#include <string>

#include "png_screenshot.h"
#include "running_program.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr ULONGLONG kMiB = ULONGLONG{1} << 20;

std::optional<std::wstring> registryText(const wchar_t* key, const wchar_t* value) {
  wchar_t text[512];
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(text);
}

std::optional<DWORD> registryNumber(const wchar_t* key, const wchar_t* value) {
  DWORD number = 0;
  DWORD size = sizeof number;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_DWORD, nullptr, &number, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return number;
}

// The build of Windows as the kernel tells it, whatever the caller's manifest.
DWORD windowsBuild() {
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  return rtlGetVersion && rtlGetVersion(&version) == 0 ? version.dwBuildNumber : 0;
}

bool isNumberFollowedBy(const std::wstring& text, const std::wstring& unit) {
  if (!text.ends_with(unit) || text.size() == unit.size()) return false;
  for (std::size_t i = 0; i + unit.size() < text.size(); ++i)
    if (!std::iswdigit(text[i])) return false;
  return true;
}

// Presses Tab and names where the shown focus went.
std::wstring tab(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const auto focus = [&] {
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
  };
  SetForegroundWindow(window);
  const HWND before = waitUntil([&] { return focus() != nullptr; }, 5s) ? focus() : nullptr;
  if (!typeKeys(window, {VK_TAB}) || !waitUntil([&] { return focus() != before; }, 5s))
    return L"(focus stayed)";
  wchar_t name[64] = L"";
  GetClassNameW(info.hwndFocus, name, 64);
  if (sendTo(info.hwndFocus, WM_QUERYUISTATE) & UISF_HIDEFOCUS) return L"(focus not shown)";
  if (name == std::wstring(L"SysListView32")) return L"list " + listColumnCaption(info.hwndFocus, 0);
  return name == std::wstring(L"Button") ? windowText(info.hwndFocus) : name;
}

TEST(SystemInformation, ShowsEveryValueOfTheMachineInEitherLanguage) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  HWND window = program.window();
  // Tab round the Files page in reading order; the edit box is disabled.
  std::vector<std::wstring> order;
  while (order.size() < 20 && (order.empty() || order.back() != L"SysTabControl32"))
    order.push_back(tab(window));
  EXPECT_EQ(order, (std::vector<std::wstring>{L"list Types", L"Check All", L"Uncheck All", L"list Drives",
                                              L"list File name", L"Search", L"Check All", L"Uncheck All",
                                              L"Delete", L"SysTabControl32"}));
  ASSERT_TRUE(typeKeys(window, {VK_MENU, 'O', 'I'}));  // Alt, O, I
  HWND dialog = program.waitFor(L"System Information");
  const auto value = [dialog](const wchar_t* title) {
    HWND label = labelBeside(dialog, title);
    return label ? windowText(label) : L"(no label beside " + std::wstring(title) + L")";
  };

  wchar_t name[257];
  DWORD size = 257;
  ASSERT_TRUE(GetComputerNameW(name, &size));
  EXPECT_EQ(value(L"Computer name:"), name);
  size = 257;
  ASSERT_TRUE(GetUserNameW(name, &size));
  EXPECT_EQ(value(L"User name:"), name);

  const wchar_t* processorKey = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
  const std::optional<std::wstring> processor = registryText(processorKey, L"ProcessorNameString");
  ASSERT_TRUE(processor.has_value()) << "the prefix describes no processor";
  const std::optional<DWORD> megahertz = registryNumber(processorKey, L"~MHz");
  EXPECT_TRUE(
      value(L"CPU:").starts_with(*processor + (megahertz ? L" (" + std::to_wstring(*megahertz) : L"")));
  EXPECT_EQ(value(L"CPU family:"), registryText(processorKey, L"Identifier").value_or(L""));

  EXPECT_EQ(value(L"Resolution:"), std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" x " +
                                       std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
  HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  const int bits = GetDeviceCaps(display, BITSPIXEL);
  DeleteDC(display);
  EXPECT_EQ(value(L"Bits per pixel:"), std::to_wstring(bits));

  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
  EXPECT_EQ(value(L"RAM:"), std::to_wstring(memory.ullTotalPhys / kMiB + 1) + L" MB");
  // The free figures were taken when the program started.
  EXPECT_TRUE(isNumberFollowedBy(value(L"RAM free:"), L" MB")) << value(L"RAM free:");
  EXPECT_TRUE(isNumberFollowedBy(value(L"Free:"), L"%")) << value(L"Free:");

  wchar_t folder[MAX_PATH];
  GetWindowsDirectoryW(folder, MAX_PATH);
  EXPECT_EQ(value(L"Windows folder:"), folder);
  GetSystemDirectoryW(folder, MAX_PATH);
  EXPECT_EQ(value(L"System folder:"), folder);
  // Wine stands for a Windows the program knows (Wine 8 for Windows 7 unless
  // told otherwise).
  const std::wstring os = value(L"OS title:");
  EXPECT_TRUE(os.starts_with(L"Windows ")) << os;
  EXPECT_NE(os.find(L" Build " + std::to_wstring(windowsBuild()) + L" "), std::wstring::npos) << os;
  const wchar_t* systemKey = L"HARDWARE\\DESCRIPTION\\System";
  const std::optional<std::wstring> biosDate =
      registryText(systemKey, L"SystemBiosDate")
          ? registryText(systemKey, L"SystemBiosDate")
          : registryText(L"HARDWARE\\DESCRIPTION\\System\\BIOS", L"BIOSReleaseDate");
  EXPECT_EQ(value(L"BIOS date:"), biosDate.value_or(L"XXX"));

  int colours = 0;
  EXPECT_TRUE(saveWindowPng(dialog, L"sys_info_en", colours));
  EXPECT_GT(colours, 8) << "the capture shows a drawn window, not a blank area";
  const std::wstring computerName = value(L"Computer name:");
  program.closeWithKey(dialog, VK_RETURN);

  // Options, Language, Russian; then the window again, in Russian, with the
  // values it read at start-up.
  program.choose(MenuCommand::russian);
  dialog = program.open(MenuCommand::systemInformation, L"Сведения о системе");
  EXPECT_EQ(value(L"Имя компьютера:"), computerName);
  EXPECT_TRUE(saveWindowPng(dialog, L"sys_info_ru", colours));
  EXPECT_GT(colours, 8);
  program.closeWithKey(dialog, VK_ESCAPE);

  // Windows logs off with the window in the tray.
  sendTo(window, WM_SYSCOMMAND, SC_MINIMIZE);
  EXPECT_NE(sendTo(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
  sendTo(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_NE(copy.readSettings().find("Language=Russian"), std::string::npos) << copy.readSettings();
}

}  // namespace
}  // namespace velmora::e2e

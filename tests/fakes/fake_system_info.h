#pragma once

#include <cstdint>
#include <map>

#include "platform/system_info.h"

namespace velmora::fakes {

// Scripted facts about a computer, for tests of the logic. A test sets the public
// fields; the calls answer from them with the buffer limits of the program's calls:
// a name of kNameBufferChars UTF-16 characters or more, or a folder of 255 or more,
// fails as it would there.
// An empty optional stands for a call that fails. The defaults describe a plausible
// Windows 10 machine.
class FakeSystemInfo final : public platform::SystemInfo {
 public:
  std::optional<std::string> computerName() const override;
  std::optional<std::string> userName() const override;
  std::optional<platform::OsVersion> osVersion() const override { return os; }
  std::optional<std::string> windowsDirectory() const override;
  std::optional<std::string> systemDirectory() const override;
  std::optional<int> displayBitsPerPixel() const override { return bitsPerPixel; }
  platform::ScreenSize screenSize() const override { return screen; }
  std::string thousandsSeparator() const override { return separator; }
  std::optional<std::string> executablePath() const override { return executable; }
  std::optional<std::string> localAppDataFolder() const override { return localAppData; }
  // Expands the variables of environment; others stay as written.
  std::optional<std::string> expandEnvironment(std::string_view text) const override;
  bool runsAsLocalSystem() const override { return localSystem; }
  // The text messageTexts holds for the code in that language; for 0, in
  // installedLanguage, the one language whose texts this Windows has.
  std::optional<std::string> formatMessage(std::uint32_t code, std::uint16_t languageId) const override;
  std::optional<std::string> currentUserSid() const override { return userSid; }

  std::optional<std::string> computer = "VELMORA-PC";
  std::optional<std::string> user = "tester";
  std::optional<platform::OsVersion> os = platform::OsVersion{10, 0, 19045, 2, ""};
  std::optional<std::string> windowsFolder = "C:\\Windows";
  std::optional<std::string> systemFolder = "C:\\Windows\\system32";
  std::optional<int> bitsPerPixel = 32;
  platform::ScreenSize screen{1024, 768};
  std::string separator = ",";
  std::optional<std::string> executable = "C:\\Program Files\\Velmora\\VelmoraDiskCleaner.exe";
  std::optional<std::string> localAppData = "C:\\Users\\tester\\AppData\\Local";
  std::map<std::string, std::string> environment{{"USERPROFILE", "C:\\Users\\tester"},
                                                 {"ProgramFiles", "C:\\Program Files"},
                                                 {"SystemRoot", "C:\\Windows"}};
  bool localSystem = false;
  bool userNameThrows = false;  // userName() throws std::bad_alloc, as when memory runs out.
  std::uint16_t installedLanguage = 0x0409;
  std::map<std::pair<std::uint32_t, std::uint16_t>, std::string> messageTexts = {
      {{2, 0x0409}, "The system cannot find the file specified."},
      {{5, 0x0409}, "Access is denied."},
      {{5, 0x0419}, "Отказано в доступе."},
      {{0x80041315, 0x0409}, "The Task Scheduler service is not running."}};
  std::optional<std::string> userSid = "S-1-5-21-1004336348-1177238915-682003330-1001";
};

}  // namespace velmora::fakes

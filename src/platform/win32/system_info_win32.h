#pragma once

#include "platform/system_info.h"

namespace velmora::platform {

// Facts about the computer from the Win32 functions the interface names. Safe to
// use from any thread.
class Win32SystemInfo final : public SystemInfo {
 public:
  std::optional<std::string> computerName() const override;
  std::optional<std::string> userName() const override;
  std::optional<OsVersion> osVersion() const override;
  std::optional<std::string> windowsDirectory() const override;
  std::optional<std::string> systemDirectory() const override;
  std::optional<int> displayBitsPerPixel() const override;
  ScreenSize screenSize() const override;
  std::string thousandsSeparator() const override;
  std::optional<std::string> executablePath() const override;
  std::optional<std::string> localAppDataFolder() const override;
  std::optional<std::string> expandEnvironment(std::string_view text) const override;
  bool runsAsLocalSystem() const override;
  std::optional<std::string> formatMessage(std::uint32_t code, std::uint16_t languageId) const override;
  std::optional<std::string> currentUserSid() const override;
};

}  // namespace velmora::platform

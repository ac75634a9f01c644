#include "platform/error_text.h"

#include <cstdio>
#include <optional>

#include "platform/system_info.h"

namespace velmora::platform {
namespace {

// HRESULT_FROM_WIN32: severity "error", facility 7 (Win32), the error's number.
constexpr std::uint32_t kWin32Facility = 0x80070000u;

std::optional<std::string> systemText(const SystemInfo& system, std::uint32_t code, std::uint16_t languageId) {
  // The interface's language first; without that language's texts installed,
  // the search order Windows itself chooses (0).
  if (languageId != 0)
    if (std::optional<std::string> text = system.formatMessage(code, languageId)) return text;
  return system.formatMessage(code, 0);
}

}  // namespace

std::string errorCodeText(std::uint32_t code) {
  if (code < 0x10000u) return std::to_string(code);
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

std::string errorText(const SystemInfo& system, std::uint32_t code, std::uint16_t languageId,
                      std::string_view noText) {
  std::optional<std::string> text = systemText(system, code, languageId);
  if (!text && (code & 0xFFFF0000u) == kWin32Facility) text = systemText(system, code & 0xFFFFu, languageId);
  return (text ? *text : std::string(noText)) + " (" + errorCodeText(code) + ")";
}

}  // namespace velmora::platform

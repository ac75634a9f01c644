#include "app/message_texts.h"

#include <cstdlib>
#include <stdexcept>

#include "platform/error_text.h"

namespace velmora::app {

std::size_t MessageTexts::indexOf(std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (kKeys[i] == key) return i;
  throw std::out_of_range("no message text named " + std::string(key));
}

std::string MessageTexts::systemError(const platform::SystemInfo& system, std::uint32_t code) const {
  const std::string& language = (*this)["StringWindowsLanguage"];
  const auto languageId = static_cast<std::uint16_t>(std::strtoul(language.c_str(), nullptr, 16));
  const std::string& noText = (*this)["StringNoErrorText"];
  return platform::errorText(system, code, languageId,
                             noText.empty() ? "Windows gives no description of this error." : noText);
}

}  // namespace velmora::app

#include "profile_reference.h"

namespace velmora::contract {

std::optional<std::string> windowsReadString(const std::string&, std::string_view, std::string_view,
                                             std::string_view) {
  return std::nullopt;
}

std::optional<bool> windowsWriteString(const std::string&, std::string_view, std::string_view,
                                       std::string_view) {
  return std::nullopt;
}

}  // namespace velmora::contract

#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows' own profile functions, to hold our profile reader and writer against.
// Under Wine they answer; in the native build there is no Windows and they answer
// nothing, so the same cases check our code alone.
namespace velmora::contract {

// GetPrivateProfileStringW on the file at path.
std::optional<std::string> windowsReadString(const std::string& path, std::string_view section,
                                             std::string_view key, std::string_view defaultValue);

// WritePrivateProfileStringW on the file at path: whether it succeeded.
std::optional<bool> windowsWriteString(const std::string& path, std::string_view section,
                                       std::string_view key, std::string_view value);

}  // namespace velmora::contract

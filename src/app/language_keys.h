#pragma once

#include <span>
#include <string_view>

namespace velmora::app {

// Every key of section "Interface" that the language loader reads, in the order it
// reads them: the main window's captions, its message texts, then the Free Memory,
// Settings, System Information, Software Update and About windows.
std::span<const std::string_view> languageKeys();

}  // namespace velmora::app

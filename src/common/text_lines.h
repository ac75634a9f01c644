#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::text {

// Splits a text file's contents into lines ended by CR LF, LF or CR. A line end
// just before the end of the text does not add an empty line; empty lines inside
// the text are kept.
std::vector<std::string> splitLines(std::string_view text);

// Joins lines with CR LF after every line, as the program writes its text files.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// The parts with separator between each two, as a list is written out ("C,E").
std::string joinWith(const std::vector<std::string>& parts, std::string_view separator);

// The letters A-Z turned into a-z; every other byte (including UTF-8 sequences)
// stays as it is, so that a comparison "without letter case" means exactly this.
std::string asciiLower(std::string_view text);

}  // namespace velmora::text

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text positions of the parsing rules, 1-based as the rules state them: 0 means
// "not found", and a substring is taken by start and count, clamped to the text.
namespace velmora::text {

// Position of the first occurrence of needle in text, 1-based; 0 when absent or
// when needle is empty.
std::size_t pos(std::string_view needle, std::string_view text);

// Last position of any one character of delimiters in text, 1-based; 0 when none.
std::size_t lastDelimiter(std::string_view delimiters, std::string_view text);

// count characters of text from the 1-based start; a start below 1 counts as 1,
// and a start or count reaching past the end is clamped to the text.
std::string copy(std::string_view text, std::ptrdiff_t start, std::ptrdiff_t count);

}  // namespace velmora::text

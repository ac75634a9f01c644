#pragma once

#include <cstdint>
#include <string>

// How a control's text looks: face, size, weight, underline and colour.
namespace velmora::widgets {

// A colour as red, green and blue, or the system's default for the control's text.
struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool systemDefault = true;

  static constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {r, g, b, false}; }
  friend bool operator==(const Color&, const Color&) = default;
};

// The named colours the windows use.
namespace colors {
inline constexpr Color windowText{};
inline constexpr Color black = Color::rgb(0, 0, 0);
inline constexpr Color navy = Color::rgb(0, 0, 128);
inline constexpr Color maroon = Color::rgb(128, 0, 0);
inline constexpr Color teal = Color::rgb(0, 128, 128);
inline constexpr Color blue = Color::rgb(0, 0, 255);
inline constexpr Color red = Color::rgb(255, 0, 0);
}  // namespace colors

// height follows the Windows convention: negative for the height of the characters
// (-11 is 8 points at 96 dots per inch), positive for the height of the cell.
struct Font {
  std::string name = "MS Sans Serif";
  int height = -11;
  bool bold = false;
  bool underline = false;
  Color color{};
  friend bool operator==(const Font&, const Font&) = default;
};

// The mouse pointer shown over a control.
enum class Cursor { Default, HandPoint, SizeWestEast, SizeNorthSouth };

}  // namespace velmora::widgets

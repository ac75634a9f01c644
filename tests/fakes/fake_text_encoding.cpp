#include "fakes/fake_text_encoding.h"

#include <array>
#include <stdexcept>

#include "platform/utf8.h"

namespace velmora::fakes {
namespace {

using CodePageHalf = std::array<char16_t, 128>;

// Code page 1252, bytes 0x80 to 0xFF. Only 0x80-0x9F differ from Latin-1; the five
// bytes 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their own number.
constexpr CodePageHalf makeWestern() {
  CodePageHalf table{};
  constexpr char16_t c1[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
  };
  for (int i = 0; i < 32; ++i) table[i] = c1[i];
  for (int i = 32; i < 128; ++i) table[i] = static_cast<char16_t>(0x80 + i);
  return table;
}

// Code page 1251, bytes 0x80 to 0xFF. 0xC0-0xFF are the 64 basic Cyrillic letters
// in alphabetical order; 0x98, the one undefined byte, keeps its own number.
constexpr CodePageHalf makeCyrillic() {
  CodePageHalf table{};
  constexpr char16_t upper[64] = {
      0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
      0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88-8F
      0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
      0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98-9F
      0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0-A7
      0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8-AF
      0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0-B7
      0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8-BF
  };
  for (int i = 0; i < 64; ++i) table[i] = upper[i];
  for (int i = 64; i < 128; ++i) table[i] = static_cast<char16_t>(0x0410 + (i - 64));
  return table;
}

constexpr CodePageHalf kWestern = makeWestern();
constexpr CodePageHalf kCyrillic = makeCyrillic();

std::string decode(const CodePageHalf& table, std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    platform::utf8::append(out, byte < 0x80 ? byte : table[byte - 0x80]);
  }
  return out;
}

}  // namespace

FakeTextEncoding::FakeTextEncoding(unsigned ansiCodePage) : ansiCodePage_(ansiCodePage) {
  if (ansiCodePage != kWesternCodePage && ansiCodePage != kCyrillicCodePage) {
    throw std::invalid_argument("FakeTextEncoding knows code pages 1252 and 1251 only");
  }
}

std::optional<std::u16string> FakeTextEncoding::utf8ToUtf16(std::string_view utf8) const {
  return platform::utf8::toUtf16(utf8);
}

std::optional<std::string> FakeTextEncoding::utf16ToUtf8(std::u16string_view utf16) const {
  return platform::utf8::fromUtf16(utf16);
}

bool FakeTextEncoding::isValidUtf8(std::string_view text) const { return platform::utf8::isValid(text); }

unsigned FakeTextEncoding::ansiCodePage() const { return ansiCodePage_; }

std::string FakeTextEncoding::ansiToUtf8(std::string_view bytes) const {
  return decode(ansiCodePage_ == kCyrillicCodePage ? kCyrillic : kWestern, bytes);
}

std::string FakeTextEncoding::cp1251ToUtf8(std::string_view bytes) const { return decode(kCyrillic, bytes); }

}  // namespace velmora::fakes

#include "platform/text_files.h"

#include "platform/utf8.h"

namespace velmora::platform {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";

std::u16string littleEndianUnits(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  // A last odd byte is half a unit and is dropped, as the Windows readers drop it.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const auto high = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(low | (high << 8)));
  }
  return units;
}

// The text without the byte-order marks it begins with. A mark written twice by
// some tool, or one kept inside UTF-16 text, is no part of the text either, and
// would otherwise read as a mark once the text is written back as UTF-8.
std::string withoutLeadingMarks(std::string text) {
  std::size_t marks = 0;
  while (std::string_view(text).substr(marks).starts_with(kUtf8Mark)) marks += kUtf8Mark.size();
  text.erase(0, marks);
  return text;
}

std::string decoded(std::string_view bytes, const TextEncoding& encoding) {
  if (bytes.starts_with(kUtf8Mark)) {
    // The mark says the file is UTF-8: damage is repaired, never taken for another
    // code page, which would garble every letter beyond ASCII.
    return utf8::repaired(bytes.substr(kUtf8Mark.size()));
  }
  if (bytes.starts_with(kUtf16LittleEndianMark)) {
    return utf8::fromUtf16Lossy(littleEndianUnits(bytes.substr(kUtf16LittleEndianMark.size())));
  }
  if (encoding.isValidUtf8(bytes)) return std::string(bytes);
  return encoding.ansiToUtf8(bytes);
}

}  // namespace

std::string decodeText(std::string_view bytes, const TextEncoding& encoding) {
  return withoutLeadingMarks(decoded(bytes, encoding));
}

FileContents TextFiles::readText(std::string_view path, std::size_t maxSize) const {
  FileContents contents = readAtMost(path, maxSize);
  if (contents) contents.data = decodeText(contents.data, encoding_);
  return contents;
}

}  // namespace velmora::platform

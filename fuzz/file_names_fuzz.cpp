// The file-name conversion at the Windows boundary (WTF-8): any run of UTF-16 units
// a Windows name may hold comes back unchanged from its text, the shown form holds
// no unpaired surrogate, and any bytes convert without harm.
#include <cstdlib>
#include <string>

#include "platform/utf8.h"

using namespace velmora::platform;

namespace {

bool hasUnpairedSurrogate(const std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
    const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      ++i;
    else if (high || low)
      return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The bytes as the UTF-16 units of a name: to text and back is the same name.
  std::u16string name(size / 2, u'\0');
  for (std::size_t i = 0; i < name.size(); ++i)
    name[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  const std::string text = utf8::fromUtf16Names(name);
  if (utf8::toUtf16Names(text) != name) std::abort();
  if (utf8::fromUtf16Names(utf8::toUtf16Names(text)) != text) std::abort();
  // Text that is valid UTF-8 is what the strict conversion gives.
  if (const auto strict = utf8::fromUtf16(name); strict && *strict != text) std::abort();

  // The bytes as text: any of them convert, and what is shown has no lone halves.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string units = utf8::toUtf16Names(bytes);
  const std::u16string shown = utf8::toUtf16Shown(bytes);
  if (shown.size() != units.size() || hasUnpairedSurrogate(shown)) std::abort();
  if (utf8::isValid(bytes) && (utf8::toUtf16(bytes) != units || shown != units)) std::abort();
  return 0;
}

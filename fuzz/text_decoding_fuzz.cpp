// The decoding of text files (UTF-8 with or without its mark, UTF-16LE, the ANSI
// code page) and the UTF-8 and UTF-16 conversions: whatever the bytes, the text
// that comes out is well-formed UTF-8, and valid text survives every conversion.
#include <cstdlib>
#include <string>

#include "fakes/fake_text_encoding.h"
#include "platform/text_files.h"
#include "platform/utf8.h"

using namespace velmora::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const velmora::fakes::FakeTextEncoding encoding;

  if (!utf8::isValid(decodeText(bytes, encoding))) std::abort();
  if (!utf8::isValid(encoding.ansiToUtf8(bytes)) || !utf8::isValid(encoding.cp1251ToUtf8(bytes)))
    std::abort();

  const std::string repaired = utf8::repaired(bytes);
  if (!utf8::isValid(repaired)) std::abort();
  const auto units = utf8::toUtf16(bytes);
  if (utf8::isValid(bytes) != units.has_value() || units.has_value() != utf8::utf16Length(bytes).has_value())
    std::abort();
  if (units) {
    if (repaired != bytes || units->size() != *utf8::utf16Length(bytes)) std::abort();
    if (utf8::fromUtf16(*units) != std::string(bytes)) std::abort();
    if (encoding.utf8ToUtf16(bytes) != units) std::abort();
  }

  // The bytes as UTF-16 units, which may hold unpaired surrogates.
  std::u16string wide(size / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  const std::string lossy = utf8::fromUtf16Lossy(wide);
  if (!utf8::isValid(lossy)) std::abort();
  if (const auto strict = utf8::fromUtf16(wide);
      strict && (*strict != lossy || utf8::toUtf16(*strict) != wide))
    std::abort();
  return 0;
}

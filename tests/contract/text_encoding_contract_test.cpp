// The text-encoding contract: what the program relies on when it converts text,
// checked against the fake natively and against Windows under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text_encoding_under_test.h"

namespace velmora::contract {
namespace {

using namespace std::string_literals;

class TextEncodingContract : public ::testing::Test {
 protected:
  std::unique_ptr<platform::TextEncoding> encoding = makeTextEncoding();
};

TEST_F(TextEncodingContract, Utf8AndUtf16RoundTrip) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const std::vector<Case> cases = {
      {"", u""},
      {"Velmora Disk Cleaner 1.3", u"Velmora Disk Cleaner 1.3"},
      {"Gr\xC3\xBC\xC3\x9F"
       "e",
       u"Gr\u00FC\u00DFe"},
      {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", u"\u041F\u0440\u0438\u0432\u0435\u0442"},
      {"\xE2\x82\xAC\xE6\x97\xA5", u"\u20AC\u65E5"},
      // Outside the BMP: one four-byte sequence, a surrogate pair in UTF-16.
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      // A zero inside the text is a character like any other.
      {"a\0b"s, u"a\0b"s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_TRUE(encoding->isValidUtf8(c.utf8));
    EXPECT_EQ(encoding->utf8ToUtf16(c.utf8), c.utf16);
    EXPECT_EQ(encoding->utf16ToUtf8(c.utf16), c.utf8);
  }
}

TEST_F(TextEncodingContract, IllFormedUtf8IsRefused) {
  const std::vector<std::string> cases = {
      "\x80",              // A continuation byte without a lead.
      "ab\xBF",            // The same at the end.
      "\xC3",              // A lead byte at the very end.
      "\xE2\x82",          // A three-byte sequence cut short.
      "\xE2\x82x",         // ... and followed by something else.
      "\xC0\xAF",          // Overlong "/".
      "\xC1\xBF",          // Overlong, the other impossible two-byte lead.
      "\xE0\x80\xAF",      // Overlong in three bytes.
      "\xF0\x80\x80\xAF",  // Overlong in four bytes.
      "\xED\xA0\x80",      // An encoded high surrogate.
      "\xED\xBF\xBF",      // An encoded low surrogate.
      "\xF4\x90\x80\x80",  // Above U+10FFFF.
      "\xF5\x80\x80\x80",  // Lead bytes that can never occur.
      "\xFE",
      "\xFF",
      "Caf\xE9",  // ANSI text: the usual case.
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(::testing::PrintToString(text));
    EXPECT_FALSE(encoding->isValidUtf8(text));
    EXPECT_EQ(encoding->utf8ToUtf16(text), std::nullopt);
  }
}

TEST_F(TextEncodingContract, UnpairedSurrogatesAreRefused) {
  const std::vector<std::u16string> cases = {
      {char16_t(0xD800)},
      {char16_t(0xD83D), u'a'},
      {u'a', char16_t(0xDC00)},
      {char16_t(0xDE00), char16_t(0xD83D)},  // A pair in the wrong order.
  };
  for (const std::u16string& text : cases) {
    EXPECT_EQ(encoding->utf16ToUtf8(text), std::nullopt);
  }
}

TEST_F(TextEncodingContract, Cp1251DecodesCyrillicWhateverTheSystemPage) {
  // "Hi-Color / 65536 цветов" and "16 млн" as the colour texts store them.
  EXPECT_EQ(encoding->cp1251ToUtf8("Hi-Color / 65536 \xF6\xE2\xE5\xF2\xEE\xE2"),
            "Hi-Color / 65536 \xD1\x86\xD0\xB2\xD0\xB5\xD1\x82\xD0\xBE\xD0\xB2");
  EXPECT_EQ(encoding->cp1251ToUtf8("16 \xEC\xEB\xED"), "16 \xD0\xBC\xD0\xBB\xD0\xBD");
  // " Mгц)": the end of the processor speed.
  EXPECT_EQ(encoding->cp1251ToUtf8("\x20\x4D\xE3\xF6\x29"), " M\xD0\xB3\xD1\x86)");
  // Capital А and small я, the ends of the alphabet; Ё and ё; the euro sign.
  EXPECT_EQ(encoding->cp1251ToUtf8("\xC0\xFF\xA8\xB8\x88"), "\xD0\x90\xD1\x8F\xD0\x81\xD1\x91\xE2\x82\xAC");
  EXPECT_EQ(encoding->cp1251ToUtf8(""), "");
}

TEST_F(TextEncodingContract, AnsiTextDecodesByTheSystemPage) {
  SCOPED_TRACE("ANSI code page " + std::to_string(encoding->ansiCodePage()));
  const std::string ascii = "C:\\Windows\\Temp\\*.tmp|Temporary files\r\n";
  EXPECT_EQ(encoding->ansiToUtf8(ascii), ascii);
  EXPECT_EQ(encoding->ansiToUtf8(""), "");

  // The bytes below mean different letters in each code page; the systems the
  // program meets are Western (1252, also what Wine picks for an English locale) and
  // Russian (1251).
  const std::string bytes = "Caf\xE9 \x80 \xC0";
  switch (encoding->ansiCodePage()) {
    case 1252:
      EXPECT_EQ(encoding->ansiToUtf8(bytes), "Caf\xC3\xA9 \xE2\x82\xAC \xC3\x80");
      break;
    case 1251:
      EXPECT_EQ(encoding->ansiToUtf8(bytes), "Caf\xD0\xB9 \xD0\x82 \xD0\x90");
      break;
    default:
      GTEST_SKIP() << "no expectations for ANSI code page " << encoding->ansiCodePage();
  }
}

TEST_F(TextEncodingContract, EveryAnsiByteDecodesToValidUtf8) {
  // A file in the ANSI page can hold any byte; none may produce text the program
  // cannot handle.
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  const std::string decoded = encoding->ansiToUtf8(all);
  EXPECT_TRUE(encoding->isValidUtf8(decoded));
  EXPECT_TRUE(encoding->isValidUtf8(encoding->cp1251ToUtf8(all)));
  EXPECT_GE(decoded.size(), all.size());
}

}  // namespace
}  // namespace velmora::contract

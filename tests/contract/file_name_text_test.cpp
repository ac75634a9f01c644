// File names as text: what Windows allows in a name (any run of 16-bit units, an
// unpaired surrogate included) goes to the program's text and back unchanged.
#include <gtest/gtest.h>

#include <string>

#include "platform/utf8.h"

namespace velmora::platform {
namespace {

TEST(FileNameText, EveryWindowsNameRoundTripsAndUnpairedHalvesShowAsAMark) {
  const struct {
    std::u16string name;
    std::string text;
    std::u16string shown;
  } cases[] = {
      {u"plain.tmp", "plain.tmp", u"plain.tmp"},
      {u"\u041E\u0442\u0447\u0451\u0442", "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82",
       u"\u041E\u0442\u0447\u0451\u0442"},
      {u"\U0001F600", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {u"x\xD800.tmp", "x\xED\xA0\x80.tmp", u"x\uFFFD.tmp"},
      {u"\xDFFFy\xDBFF", "\xED\xBF\xBFy\xED\xAF\xBF", u"\uFFFDy\uFFFD"},
      {u"\xDC00\xD800", "\xED\xB0\x80\xED\xA0\x80", u"\uFFFD\uFFFD"},  // halves in the wrong order
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8::fromUtf16Names(c.name), c.text);
    EXPECT_EQ(utf8::toUtf16Names(c.text), c.name);
    EXPECT_EQ(utf8::toUtf16Shown(c.text), c.shown);
  }
  // Bytes that are neither UTF-8 nor a written surrogate read as U+FFFD; two written
  // halves that pair are the character they pair to.
  EXPECT_EQ(utf8::toUtf16Names("a\xFF\xC0z"), u"a\uFFFD\uFFFDz");
  EXPECT_EQ(utf8::toUtf16Names("\xED\xA0\xBD\xED\xB8\x80"), u"\U0001F600");
  EXPECT_EQ(utf8::toUtf16Names("\xED\xA0"), u"\uFFFD\uFFFD");  // each byte a maximal part
}

}  // namespace
}  // namespace velmora::platform

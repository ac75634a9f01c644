// The fake's code-page tables against Windows' own, byte by byte. Built only for
// Windows, where both can be asked.
#include <gtest/gtest.h>

#include "fakes/fake_text_encoding.h"
#include "text_encoding_under_test.h"

namespace velmora::contract {
namespace {

std::string oneByte(int byte) { return std::string(1, static_cast<char>(byte)); }

TEST(TextEncodingTables, FakeCp1251MatchesWindows) {
  const auto windows = makeTextEncoding();
  const fakes::FakeTextEncoding fake;
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(fake.cp1251ToUtf8(oneByte(byte)), windows->cp1251ToUtf8(oneByte(byte))) << "byte " << byte;
  }
}

TEST(TextEncodingTables, FakeAnsiPageMatchesWindows) {
  const auto windows = makeTextEncoding();
  const unsigned page = windows->ansiCodePage();
  if (page != fakes::FakeTextEncoding::kWesternCodePage &&
      page != platform::TextEncoding::kCyrillicCodePage) {
    GTEST_SKIP() << "the fake has no table for ANSI code page " << page;
  }
  const fakes::FakeTextEncoding fake(page);
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(fake.ansiToUtf8(oneByte(byte)), windows->ansiToUtf8(oneByte(byte))) << "byte " << byte;
  }
}

}  // namespace
}  // namespace velmora::contract

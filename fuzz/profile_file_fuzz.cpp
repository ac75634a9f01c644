// The profile file reader and writer on any file: reading never fails, and a write
// either is refused, leaving the file as it was, or sets exactly the one key: it
// reads back as written and every other key of the file reads as before.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdlib>

#include <set>
#include <string>
#include <vector>

#include "common/text_lines.h"
#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "platform/profile_file.h"
#include "platform/utf8.h"

using namespace velmora;

namespace {

constexpr const char* kPath = "C:\\P\\Velmora.ini";
constexpr const char* kMissing = "\x01(missing)";

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A; }

std::string trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

// What the reader makes of a value: blanks trimmed, one pair of quotes taken off.
std::string asRead(std::string_view value) {
  std::string text = trimmed(value);
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
    return text.substr(1, text.size() - 2);
  return text;
}

// Names that may be sections and keys of the file: the text inside each line's
// brackets and before each line's "=", and the names the write uses.
void candidateNames(const std::string& text, std::set<std::string>& sections, std::set<std::string>& keys) {
  for (const std::string& line : text::splitLines(text)) {
    const std::string bare = trimmed(line);
    if (bare.starts_with('[') && bare.find(']') != std::string::npos)
      sections.insert(trimmed(std::string_view(bare).substr(1, bare.rfind(']') - 1)));
    keys.insert(trimmed(std::string_view(bare).substr(0, bare.find('='))));
    if (sections.size() > 32 || keys.size() > 64) return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // Names and values are UTF-8, as every text inside the program is.
  const std::string section = platform::utf8::repaired(input.ConsumeRandomLengthString(24));
  const std::string key = platform::utf8::repaired(input.ConsumeRandomLengthString(24));
  const std::string value = platform::utf8::repaired(input.ConsumeRandomLengthString(48));
  const std::string file = input.ConsumeRemainingBytesAsString();

  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles files(encoding);
  files.put(kPath, file);
  platform::ProfileFile profile(files, kPath);
  const platform::ProfileSnapshot before = profile.snapshot();

  std::set<std::string> sections{section};
  std::set<std::string> keys{key};
  candidateNames(files.readText(kPath).data, sections, keys);

  if (!profile.writeString(section, key, value)) {
    if (files.bytes(kPath) != file) std::abort();  // A refused write changed the file.
    return 0;
  }
  const platform::ProfileSnapshot after = profile.snapshot();
  if (after.readString(section, key, kMissing) != asRead(value)) std::abort();
  const std::string wantedSection = text::asciiLower(trimmed(section));
  const std::string wantedKey = text::asciiLower(trimmed(key));
  for (const std::string& s : sections) {
    for (const std::string& k : keys) {
      if (text::asciiLower(trimmed(s)) == wantedSection && text::asciiLower(trimmed(k)) == wantedKey)
        continue;
      if (after.readString(s, k, kMissing) != before.readString(s, k, kMissing)) std::abort();
    }
  }
  return 0;
}

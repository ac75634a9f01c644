// The junk catalogue on any file: every line becomes one entry whose pattern and
// description hold no "|", and the patterns, taken as the scan takes the checked
// ones, test any file name without failing.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdlib>

#include <string>
#include <vector>

#include "common/text_lines.h"
#include "fakes/fake_text_encoding.h"
#include "junk/catalogue.h"
#include "junk/junk_name_rules.h"
#include "platform/text_files.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string fileName = input.ConsumeRandomLengthString(64);
  const fakes::FakeTextEncoding encoding;
  const std::string text = platform::decodeText(input.ConsumeRemainingBytesAsString(), encoding);

  const std::vector<junk::CatalogueEntry> entries = junk::parseCatalogue(text);
  if (entries.size() != text::splitLines(text).size()) std::abort();
  std::vector<std::string> patterns;
  for (const junk::CatalogueEntry& entry : entries) {
    if (entry.pattern.find('|') != std::string::npos || entry.description.find('|') != std::string::npos)
      std::abort();
    patterns.push_back(entry.pattern);
  }
  const junk::JunkPatterns rules(patterns);
  rules.matches(fileName);
  junk::extensionOf(fileName);
  // A whole-name pattern catches the name it is.
  for (const std::string& pattern : patterns)
    if (!pattern.empty() && !rules.matches(pattern)) std::abort();
  return 0;
}

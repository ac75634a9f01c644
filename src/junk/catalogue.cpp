#include "junk/catalogue.h"

#include "common/text_lines.h"

namespace velmora::junk {

CatalogueEntry parseCatalogueLine(std::string_view line) {
  CatalogueEntry entry;
  std::string_view rest = line;
  if (auto bar = line.find('|'); bar != std::string_view::npos) {
    entry.pattern = std::string(line.substr(0, bar));
    rest = line.substr(bar + 1);
  }
  entry.description = std::string(rest.substr(0, rest.find('|')));
  return entry;
}

std::vector<CatalogueEntry> parseCatalogue(std::string_view text) {
  std::vector<CatalogueEntry> entries;
  for (const auto& line : text::splitLines(text)) entries.push_back(parseCatalogueLine(line));
  return entries;
}

}  // namespace velmora::junk

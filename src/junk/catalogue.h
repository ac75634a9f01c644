#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::junk {

// One line of the junk-type catalogue: "pattern|description|ignored...".
struct CatalogueEntry {
  std::string pattern;
  std::string description;
};

// Reads one catalogue line. The pattern is the text before the first "|" (empty when
// there is none); the description is what follows, up to the next "|". A line
// without "|" is all description.
CatalogueEntry parseCatalogueLine(std::string_view line);

// Every line of the catalogue file's text, in file order; empty lines are entries too.
std::vector<CatalogueEntry> parseCatalogue(std::string_view text);

}  // namespace velmora::junk

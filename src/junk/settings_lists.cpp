#include "junk/settings_lists.h"

#include "common/text_lines.h"
#include "junk/catalogue.h"

namespace velmora::junk {

bool loadCatalogue(const platform::TextFiles& files, const std::string& path, widgets::ListView& list) {
  list.clear();
  const platform::FileContents contents = files.readText(path);
  if (!contents) return false;
  for (const CatalogueEntry& entry : parseCatalogue(contents.data))
    list.addRow({entry.pattern, entry.description}, true);
  return true;
}

ExclusionsLoad loadExclusions(platform::TextFiles& files, const std::string& path, widgets::Memo& memo) {
  files.createIfMissing(path);
  const platform::FileContents contents = files.readText(path);
  if (contents) memo.setLines(text::splitLines(contents.data));
  return {contents.status};
}

bool saveExclusions(platform::TextFiles& files, const std::string& path, const widgets::Memo& memo) {
  return files.writeText(path, text::joinLinesCrLf(memo.lines()));
}

std::string catalogueFilePath(const std::string& programFolder) { return programFolder + "data\\junk.dat"; }

std::string exclusionsFilePath(const std::string& programFolder) {
  return programFolder + "data\\exclusions.dat";
}

}  // namespace velmora::junk

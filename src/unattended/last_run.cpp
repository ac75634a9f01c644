#include "unattended/last_run.h"

#include <cctype>

#include "common/text_lines.h"
#include "platform/data_folders.h"
#include "platform/file_system.h"
#include "platform/text_files.h"

namespace velmora::unattended {
namespace {

// "clean-" 8 digits "-" 6 digits ".txt": the name sorts as the time it names.
bool isReportName(std::string_view name) {
  static constexpr std::string_view kShape = "clean-########-######.txt";
  if (name.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
    if (kShape[i] == '#' ? !digit : std::tolower(static_cast<unsigned char>(name[i])) != kShape[i]) return false;
  }
  return true;
}

// The value after "key: " on its own line of the report.
std::string reportValue(const std::string& text, std::string_view key) {
  for (const std::string& line : text::splitLines(text))
    if (line.size() > key.size() + 1 && line.compare(0, key.size(), key) == 0 && line[key.size()] == ':')
      return line.substr(key.size() + 2);
  return {};
}

}  // namespace

std::optional<LastRun> findLastRun(platform::Services& services, std::string_view programFolder) {
  std::string newestName;
  std::string newestPath;
  for (const std::string& folder : platform::dataFolders(services.system, programFolder, "logs")) {
    platform::FindData entry;
    platform::FileSearch search = services.files.findFirstFile(folder + "clean-*.txt", entry);
    if (search) do {
        if (!entry.isDirectory() && isReportName(entry.name) && entry.name > newestName) {
          newestName = entry.name;
          newestPath = folder + entry.name;
        }
      } while (search.findNext(entry));
  }
  if (newestPath.empty()) return std::nullopt;
  const platform::FileContents contents = services.textFiles.readBytes(newestPath);
  if (!contents) return std::nullopt;
  const std::string exitCode = reportValue(contents.data, "Exit code");
  return LastRun{reportValue(contents.data, "Started"), exitCode.empty() ? std::string(1, '?') : exitCode,
                 newestPath};
}

std::string lastRunText(std::string_view pattern, const LastRun& run) {
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '3') {
      const char which = pattern[++i];
      text += which == '1' ? run.started : which == '2' ? run.exitCode : run.path;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace velmora::unattended

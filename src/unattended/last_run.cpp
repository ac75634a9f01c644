#include "unattended/last_run.h"

#include <cctype>
#include <utility>

#include "common/text_lines.h"
#include "platform/data_folders.h"
#include "platform/file_system.h"
#include "platform/text_files.h"

namespace velmora::unattended {
namespace {

// Where a report's name puts it among the others: the time it names, then the
// number a second report of the same second took ("clean-20260304-050607-2.txt"),
// the first of that second counting as 1. Nothing for a name of another shape.
std::optional<std::pair<std::string, unsigned long>> reportOrder(std::string_view name) {
  static constexpr std::string_view kShape = "clean-########-######";
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  if (name.size() < kShape.size() + 4) return std::nullopt;
  for (std::size_t i = 0; i < kShape.size(); ++i)
    if (kShape[i] == '#' ? !digit(name[i]) : lower(name[i]) != kShape[i]) return std::nullopt;
  std::string_view rest = name.substr(kShape.size());
  std::string extension;
  for (char c : rest.substr(rest.size() - 4)) extension += lower(c);
  if (extension != ".txt") return std::nullopt;
  rest.remove_suffix(4);
  unsigned long number = 1;
  if (!rest.empty()) {
    if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-' || rest[1] == '0') return std::nullopt;
    number = 0;
    for (char c : rest.substr(1)) {
      if (!digit(c)) return std::nullopt;
      number = number * 10 + static_cast<unsigned long>(c - '0');
    }
  }
  return std::pair{std::string(name.substr(0, kShape.size())), number};
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
  std::optional<std::pair<std::string, unsigned long>> newest;
  std::string newestPath;
  for (const std::string& folder : platform::dataFolders(services.system, programFolder, "logs")) {
    platform::FindData entry;
    platform::FileSearch search = services.files.findFirstFile(folder + "clean-*.txt", entry);
    if (search) do {
        const auto order = entry.isDirectory() ? std::nullopt : reportOrder(entry.name);
        if (order && (!newest || *order > *newest)) {
          newest = order;
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

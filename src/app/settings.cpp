#include "app/settings.h"

#include <charconv>
#include <optional>
#include <vector>

#include "common/text_lines.h"
#include "platform/profile_file.h"

namespace velmora::app {
namespace {

constexpr std::string_view kSection = "Options";
constexpr std::string_view kFilesSection = "Files";
// No value can hold a line break, so this default tells a missing key apart.
constexpr std::string_view kMissing = "\n";

// A whole value in decimal with an optional sign, within the range of int;
// nothing for anything else, an empty value included. The profile reader has
// already taken the blanks around it away.
std::optional<int> parseInteger(std::string_view text) {
  if (text.starts_with('+')) text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc{} || stop != end || text.empty()) return std::nullopt;
  return value;
}

int readInteger(const platform::ProfileFile& file, std::string_view key, int defaultValue) {
  // A key that is missing reads as the empty text, which is no integer either.
  return parseInteger(file.readString(kSection, key, "")).value_or(defaultValue);
}

bool readBoolean(const platform::ProfileFile& file, std::string_view key, bool defaultValue) {
  return readInteger(file, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string_view> commaSeparated(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    std::string_view part = text.substr(start, comma - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (!part.empty()) parts.push_back(part);
    start = comma + 1;
  }
  return parts;
}

// A drive as the user or an older file may have written it: "C", "c", "C:" or "C:\".
std::optional<char> driveLetter(std::string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  const char letter = static_cast<char>(text[0] & ~0x20);
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  if (text.size() > 1 && text.substr(1) != ":" && text.substr(1) != ":\\") return std::nullopt;
  return letter;
}

FilesChoices readFilesChoices(const platform::ProfileFile& file) {
  FilesChoices choices;
  const std::string categories = file.readString(kFilesSection, "Categories", kMissing);
  if (categories == kMissing) return choices;
  choices.remembered = true;
  for (std::string_view row : commaSeparated(categories))
    if (const std::optional<int> index = parseInteger(row);
        index && *index >= 0 && *index < junk::kJunkCategoryCount)
      choices.categories[static_cast<std::size_t>(*index)] = true;
  const std::string drives = file.readString(kFilesSection, "Drives", "");
  for (std::string_view drive : commaSeparated(drives))
    if (const std::optional<char> letter = driveLetter(drive);
        letter && choices.drives.find(*letter) == std::string::npos)
      choices.drives += *letter;
  return choices;
}

}  // namespace

std::string SettingsFile::pathFor(std::string_view exePath) {
  // The extension is what follows the last dot of the file name; a dot in a
  // folder's name does not count, and a name without one gets ".ini" added.
  const std::size_t cut = exePath.find_last_of(".\\/:");
  if (cut != std::string_view::npos && exePath[cut] == '.') exePath = exePath.substr(0, cut);
  return std::string(exePath) + ".ini";
}

Settings SettingsFile::read() const {
  const platform::ProfileFile file(files_, path_);
  const Settings defaults;
  Settings settings;
  settings.language = file.readString(kSection, "Language", defaults.language);
  settings.firstStart = readBoolean(file, "firstStart", defaults.firstStart);
  settings.checkUpdateAtStart = readBoolean(file, "checkUpdateAtStart", defaults.checkUpdateAtStart);
  settings.tryToFree = readInteger(file, "trytofree", defaults.tryToFree);
  settings.delay = readInteger(file, "delay", defaults.delay);
  settings.autoDefrag = readBoolean(file, "autodefrag", defaults.autoDefrag);
  settings.recycleDeleted = readBoolean(file, "recycleDeleted", defaults.recycleDeleted);
  settings.files = readFilesChoices(file);
  return settings;
}

bool SettingsFile::write(const Settings& settings) {
  platform::ProfileFile file(files_, path_);
  const auto flag = [](bool value) { return value ? "1" : "0"; };
  const std::string tryToFree = std::to_string(settings.tryToFree);
  const std::string delay = std::to_string(settings.delay);
  // One write of the whole file: the keys are saved together or not at all.
  const platform::ProfileFile::KeyValue keys[] = {{"Language", settings.language},
                                                  {"firstStart", flag(settings.firstStart)},
                                                  {"checkUpdateAtStart", flag(settings.checkUpdateAtStart)},
                                                  {"trytofree", tryToFree},
                                                  {"delay", delay},
                                                  {"autodefrag", flag(settings.autoDefrag)},
                                                  {"recycleDeleted", flag(settings.recycleDeleted)}};
  std::vector<std::string> rows;
  for (std::size_t row = 0; row < settings.files.categories.size(); ++row)
    if (settings.files.categories[row]) rows.push_back(std::to_string(row));
  std::vector<std::string> letters;
  for (char letter : settings.files.drives) letters.emplace_back(1, letter);
  const std::string categories = text::joinWith(rows, ",");
  const std::string drives = text::joinWith(letters, ",");
  const platform::ProfileFile::KeyValue filesKeys[] = {{"Categories", categories}, {"Drives", drives}};
  std::vector<platform::ProfileFile::SectionKeys> sections{{kSection, keys}};
  if (settings.files.remembered) sections.push_back({kFilesSection, filesKeys});
  return file.writeSections(sections);
}

std::string unableToWriteMessage(std::string_view path) { return "Unable to write to " + std::string(path); }

}  // namespace velmora::app

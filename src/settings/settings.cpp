#include "settings/settings.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "common/text_lines.h"
#include "platform/profile_file.h"

namespace velmora::settings {
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

// A truth value as the program writes it (1, 0), as other integers, and as people
// write it: true/false, yes/no, on/off in any letter case.
std::optional<bool> parseBoolean(std::string_view text) {
  if (const std::optional<int> number = parseInteger(text)) return *number != 0;
  const std::string word = text::asciiLower(text);
  if (word == "true" || word == "yes" || word == "on") return true;
  if (word == "false" || word == "no" || word == "off") return false;
  return std::nullopt;
}

// The settings as read once from the file, with the unreadable values noted.
struct Reader {
  const platform::ProfileSnapshot& file;
  std::vector<std::string>& unreadable;

  std::string value(std::string_view key, std::string_view defaultValue) const {
    return file.readStringInAnySection(kSection, key, defaultValue);
  }
  int integer(std::string_view key, int defaultValue) const {
    // A key that is missing reads as the empty text, which is no integer either.
    return parseInteger(value(key, "")).value_or(defaultValue);
  }
  bool boolean(std::string_view key, bool defaultValue) const {
    const std::string text = value(key, "");
    if (text.empty()) return defaultValue;
    if (const std::optional<bool> truth = parseBoolean(text)) return *truth;
    unreadable.push_back(std::string(key) + "=" + text);
    return defaultValue;
  }
};

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

// A drive as the user or an older file may have written it: "C", "c", "C:" or
// "C:\", or as the program writes it with its volume serial number, "C:1A2B3C4D".
struct RememberedDrive {
  char letter;
  std::optional<std::uint32_t> serial;
};
std::optional<RememberedDrive> rememberedDrive(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const char letter = static_cast<char>(text[0] & ~0x20);
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  const std::string_view rest = text.substr(1);
  if (rest.empty() || rest == ":" || rest == ":\\") return RememberedDrive{letter, std::nullopt};
  if (!rest.starts_with(':') || rest.size() > 9) return std::nullopt;
  std::uint32_t serial = 0;
  const char* end = rest.data() + rest.size();
  const auto [stop, error] = std::from_chars(rest.data() + 1, end, serial, 16);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return RememberedDrive{letter, serial};
}

FilesChoices readFilesChoices(const platform::ProfileSnapshot& file) {
  FilesChoices choices;
  const std::string categories = file.readString(kFilesSection, "Categories", kMissing);
  if (categories == kMissing) return choices;
  choices.remembered = true;
  for (std::string_view row : commaSeparated(categories))
    if (const std::optional<int> index = parseInteger(row);
        index && *index >= 0 && *index < junk::kJunkCategoryCount)
      choices.categories[static_cast<std::size_t>(*index)] = true;
  const std::string drives = file.readString(kFilesSection, "Drives", "");
  for (std::string_view text : commaSeparated(drives))
    if (const std::optional<RememberedDrive> drive = rememberedDrive(text);
        drive && choices.drives.find(drive->letter) == std::string::npos) {
      choices.drives += drive->letter;
      if (drive->serial) choices.serials[drive->letter] = *drive->serial;
    }
  return choices;
}

std::string serialText(std::uint32_t serial) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(serial));
  return text;
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
  const platform::ProfileSnapshot file = platform::ProfileFile(files_, path_).snapshot();
  const Settings defaults;
  Settings settings;
  const Reader read{file, settings.unreadable};
  settings.language = read.value("Language", defaults.language);
  settings.firstStart = read.boolean("firstStart", defaults.firstStart);
  settings.checkUpdateAtStart = read.boolean("checkUpdateAtStart", defaults.checkUpdateAtStart);
  settings.tryToFree = read.integer("trytofree", defaults.tryToFree);
  settings.delay = read.integer("delay", defaults.delay);
  settings.autoDefrag = read.boolean("autodefrag", defaults.autoDefrag);
  settings.recycleDeleted = read.boolean("recycleDeleted", defaults.recycleDeleted);
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
  for (char letter : settings.files.drives) {
    std::string drive(1, letter);
    if (const auto serial = settings.files.serials.find(letter); serial != settings.files.serials.end())
      drive.append(":").append(serialText(serial->second));
    letters.push_back(std::move(drive));
  }
  const std::string categories = text::joinWith(rows, ",");
  const std::string drives = text::joinWith(letters, ",");
  const platform::ProfileFile::KeyValue filesKeys[] = {{"Categories", categories}, {"Drives", drives}};
  std::vector<platform::ProfileFile::SectionKeys> sections{{kSection, keys}};
  if (settings.files.remembered) sections.push_back({kFilesSection, filesKeys});
  return file.writeSections(sections);
}

std::string unableToWriteMessage(std::string_view path) { return "Unable to write to " + std::string(path); }

}  // namespace velmora::settings

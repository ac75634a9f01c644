#include "app/settings.h"

#include <charconv>
#include <optional>

#include "platform/profile_file.h"

namespace velmora::app {
namespace {

constexpr std::string_view kSection = "Options";

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
  return file.writeStrings(kSection, keys);
}

std::string unableToWriteMessage(std::string_view path) { return "Unable to write to " + std::string(path); }

}  // namespace velmora::app

#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include <vector>

#include "junk/category_roots.h"
#include "platform/text_files.h"

namespace velmora::settings {

// The Files page's checked categories and drives, kept from one run to the next so
// that the command line cleans with them. Nothing is remembered until the window
// has closed once with them written.
struct FilesChoices {
  bool remembered = false;
  std::array<bool, junk::kJunkCategoryCount> categories{};  // By row of the type list.
  std::string drives;  // Upper-case letters, each once, in the order of the drive list.
  // The volume serial number each drive had when it was checked, by letter: a
  // letter that tonight stands for another volume (a USB stick that took the
  // letter of the backup disk) is not that choice. A drive without one (an older
  // file, no medium) is known by its letter only.
  std::map<char, std::uint32_t> serials;

  friend bool operator==(const FilesChoices&, const FilesChoices&) = default;
};

// The values the settings file keeps from one run to the next, with the defaults a
// missing file, key or unreadable value gives.
struct Settings {
  std::string language = "English";
  bool firstStart = true;
  bool checkUpdateAtStart = true;
  int tryToFree = 64;  // Megabytes the Free Memory window frees at once.
  int delay = 20;      // Minutes between automatic freeings.
  bool autoDefrag = false;
  bool recycleDeleted = false;  // Delete moves files to the Recycle Bin.
  FilesChoices files;
  // The "key=value" lines of boolean keys whose value is there but reads as no
  // truth value: each key took its default, which may not be what the user meant.
  std::vector<std::string> unreadable;

  friend bool operator==(const Settings&, const Settings&) = default;
};

// The settings file beside the executable: the executable's full path with its
// extension replaced by ".ini", so that a renamed copy of the program keeps settings
// of its own. The six options live in section "Options". Integers are written in
// decimal and booleans as 1 and 0. A boolean reads in the spellings people write:
// an integer (any non-zero one meaning true), true/false, yes/no, on/off in any
// letter case; any other value reads as the key's default and is listed in
// Settings::unreadable. A key that a second "[Options]" section holds, as a hand
// edit may add one, is read there when the first lacks it.
//
// The Files page's choices live in section "Files": "Categories" lists the checked
// rows of the type list by number ("0,4,6") and "Drives" the checked drives by
// letter, each with the volume serial number it had in hexadecimal when known
// ("C:1A2B3C4D,E"). They count as remembered when "Categories" is there; numbers
// out of range and anything that is not a drive are passed over.
//
// The file is opened only within read and write and never held open.
class SettingsFile {
 public:
  // files must outlive this object.
  SettingsFile(platform::TextFiles& files, std::string path) : files_(files), path_(std::move(path)) {}

  // The path the settings of the executable at exePath live in.
  static std::string pathFor(std::string_view exePath);

  const std::string& path() const { return path_; }

  // Every key, each with its default when the file, the key or a readable value is
  // missing. A missing or unreadable file is not an error.
  Settings read() const;

  // Writes the seven keys in the order Language, firstStart, checkUpdateAtStart,
  // trytofree, delay, autodefrag, recycleDeleted, and the Files page's choices when
  // they are remembered, in one write of the file: all of them or, when the file
  // cannot be written, none (the file keeps what it had). False then, and the
  // caller reports the failure with path().
  bool write(const Settings& settings);

 private:
  platform::TextFiles& files_;
  std::string path_;
};

// The message shown when the settings file cannot be written, with the file's full
// path in it.
std::string unableToWriteMessage(std::string_view path);

}  // namespace velmora::settings

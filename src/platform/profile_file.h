#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/text_files.h"

// Profile (INI) files: the settings file and the language files. Our own reader and
// writer with the semantics of GetPrivateProfileString and WritePrivateProfileString,
// on top of TextFiles, so that a language file can be UTF-8 on every Windows (the
// Windows functions take a file without a byte-order mark for ANSI text).
//
// The file is lines of "[section]" and "key=value", ended by CR LF, LF or CR.
// Section and key names match without regard to letter case (ASCII letters fold).
// Blanks (spaces, tabs, CR, the DOS end-of-file mark) around a line, a name and a
// value do not count, nor do blanks just inside a section's brackets. A line
// beginning with ";" is a comment: its name begins with ";" and so matches no key
// the program asks for. A line without "=" names a key that has no value. Text after
// a value's first "=" belongs to the value, a ";" in a value included.
namespace velmora::platform {

// Profile files larger than this are refused as unreadable: the program's own are
// a few kilobytes, and a language file of tens of megabytes (a mistake, or a
// hostile one) would otherwise hold up start-up.
inline constexpr std::size_t kMaxProfileFileSize = std::size_t{1} << 20;

// A profile file's contents read and indexed once, so that each of many keys (the
// language loader reads well over a hundred) costs a lookup, not a pass over the
// file.
class ProfileSnapshot {
 public:
  ProfileSnapshot(const TextFiles& files, const std::string& path);
  // As ProfileFile::readString, from the contents as they were when read.
  std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // As readString, but a key the first section of that name lacks is looked for in
  // the later ones, first to last: a settings file edited by hand may hold a second
  // section of a name, and what the user wrote there is meant. Windows reads the
  // first section only.
  std::string readStringInAnySection(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const;

 private:
  // The keys of a section by their letter-folded names: the value after "=", or
  // nothing for a key line without one. The first of two equal keys counts.
  using Keys = std::unordered_map<std::string, std::optional<std::string>>;
  // The sections by their letter-folded names; the first of two equal ones counts.
  std::unordered_map<std::string, Keys> sections_;
  // The keys of the later sections of each name, the first of equal keys counting.
  std::unordered_map<std::string, Keys> laterSections_;
};

class ProfileFile {
 public:
  // files must outlive this object. Each call reads the file afresh and nothing is
  // held open between calls. A file larger than kMaxProfileFileSize reads as one
  // that cannot be read.
  ProfileFile(TextFiles& files, std::string path) : files_(files), path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // GetPrivateProfileString: the value of key in section, with one pair of matching
  // quotes (" or ') around the whole value removed; an empty value is the empty
  // text. defaultValue when the file cannot be read, the section or the key is
  // missing or the key has no "=". When a section or a key appears twice, the first
  // one counts.
  //
  // Unlike Windows, which cuts trailing blanks off the default and takes quotes off
  // it, defaultValue comes back exactly as given: callers pass the text a control
  // already shows, and a missing key must leave that text unchanged.
  std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

  // WritePrivateProfileString: sets key in section to value. Every other line stays
  // as it was; the key's line is rewritten in place, a new key goes after the last
  // line of its section that is not blank, and a new section goes at the end of the
  // file, which is created when it does not exist. The file is written as UTF-8
  // with CR LF line ends.
  //
  // False when the file cannot be written, and also when it exists but cannot be
  // read: writing then would lose every other line. Empty section or key names are
  // refused (false), as they could never be read back, and so is anything that would
  // write a line reading as something else: a line break in the section, the key or
  // the value, a key that begins with "[" or holds "=".
  bool writeString(std::string_view section, std::string_view key, std::string_view value);

  // Sets several keys of one section as writeString would one after the other,
  // reading and writing the file once, so that they are written all together or
  // not at all.
  using KeyValue = std::pair<std::string_view, std::string_view>;
  bool writeStrings(std::string_view section, std::span<const KeyValue> keys);

  // The keys of several sections, written as writeStrings writes one section's,
  // in one reading and one writing of the file.
  struct SectionKeys {
    std::string_view section;
    std::span<const KeyValue> keys;
  };
  bool writeSections(std::span<const SectionKeys> sections);

  // The file read once now, for reading many keys.
  ProfileSnapshot snapshot() const { return ProfileSnapshot(files_, path_); }

 private:
  TextFiles& files_;
  std::string path_;
};

}  // namespace velmora::platform

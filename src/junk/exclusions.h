#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/system_info.h"

namespace velmora::junk {

// An exclusion line as the folder path it means, read in every spelling Windows
// accepts: blanks around it removed, then one pair of double quotes around the
// whole path (Explorer's "Copy as path"), "/" read as "\", repeated separators and
// a trailing backslash dropped (a drive root keeps its "C:\"), the "\\?\", "\??\"
// and "\\.\" forms taken for the path they name, a drive letter alone for its
// root, and the dots and blanks that end a name dropped as Windows drops them.
// Nothing for a line that names no folder (blank, relative, "D:Keep").
std::optional<std::string> exclusionFolderPath(std::string_view line);

// A line with the variables of the user's environment in it ("%USERPROFILE%\Keep")
// expanded as ExpandEnvironmentStrings does; a variable that is not set stays as
// written, and so does the line when it cannot be expanded. The list keeps the
// lines as typed: they are expanded each time they are read, for the environment
// of the run that reads them.
std::string expandedExclusionLine(const std::string& line, const platform::SystemInfo& system);
std::vector<std::string> expandedExclusionLines(const std::vector<std::string>& lines,
                                                const platform::SystemInfo& system);

// The lines that are not blank and name no folder once expanded, as typed: they
// protect nothing, and the user is told so when the list is saved and before a
// search, and an unattended run does not start with them.
std::vector<std::string> linesNamingNoFolder(const std::vector<std::string>& lines,
                                             const platform::SystemInfo& system);

// The folders a walk must not enter. Each line is resolved, when the set is made at
// the start of a scan, to the folder it really is, so that the folder is skipped by
// whichever of its names the walk reaches it: another letter case in any script
// (compared as the file system compares names), its short 8.3 name, another drive
// letter mapped to it (a subst drive). A line whose folder does not exist yet is
// still compared by its path.
//
// A folder on a network place (a "\\server\share" path, or a mapped network
// drive when drives is given) is compared by its path only, both as written and
// through the drive letter's share, and nothing on the network is opened for it:
// a profile folder redirected to a server is excluded by "\\server\home\u", by
// "H:\u" when H: is mapped to that share, or by "H:" alone.
class Exclusions {
 public:
  Exclusions() = default;
  Exclusions(platform::FileSystem& files, const std::vector<std::string>& lines,
             platform::Drives* drives = nullptr);

  // Whether the folder at folderPath (a full path without trailing backslash, whose
  // last name is name, as a listing gave it) is excluded.
  bool excludes(std::string_view folderPath, std::string_view name) const;

  // Whether a scan root is an excluded folder or lies inside one, reached by any of
  // its names.
  bool coversRoot(std::string_view root) const;

  bool empty() const { return folders_.empty(); }

 private:
  struct Folder {
    std::string path;               // As written, tidied.
    std::string networkPath;        // On a network place, see networkPathOf; empty when local.
    platform::FileIdentity actual;  // What it resolved to; failed when it does not exist.
    std::string longName;           // Its last name as stored on disk.
  };
  bool isExcludedFolder(const platform::FileIdentity& folder) const;
  // A path on a network place, written through its share ("\\server\share\...")
  // when its drive letter is mapped to one; empty for a path on a local drive.
  std::string networkPathOf(std::string_view path) const;
  // Whether an exclusion names the path by its text, as written or through a share.
  bool namedByText(std::string_view path) const;

  platform::FileSystem* files_ = nullptr;
  platform::Drives* drives_ = nullptr;
  std::vector<Folder> folders_;
  // What each drive letter stands for on a network: its share, or the letter
  // itself when the drive is remote but its share is unknown; empty for a local
  // drive. Asked once per letter.
  mutable std::array<std::optional<std::string>, 26> networkRoots_;
};

}  // namespace velmora::junk

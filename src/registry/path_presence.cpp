#include "registry/path_presence.h"

namespace velmora::registry {

using platform::FileError;

namespace {

// The path as Windows reads a path in its usual form: blanks and dots that end its
// last name are dropped ("C:\App\a.exe " is C:\App\a.exe). The files service
// takes every name exactly as written, so the registry's paths are tidied here; a
// command cut before its arguments ends with such a blank.
std::string asWindowsReadsIt(std::string_view path) {
  if (!path.ends_with('\\')) {
    const std::size_t end = path.find_last_not_of(" .");
    path = path.substr(0, end == std::string_view::npos ? 0 : end + 1);
  }
  return std::string(path);
}

}  // namespace

bool PathPresence::onPresentFixedDrive(std::string_view path) {
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
  const char letter = static_cast<char>(path[0] & ~0x20);  // Upper case.
  if (letter < 'A' || letter > 'Z') return false;
  std::optional<bool>& known = fixedDrives_[static_cast<std::size_t>(letter - 'A')];
  if (!known) {
    const std::string root{letter, ':', '\\'};
    known = drives_.getDriveType(root) == platform::DriveType::fixed && drives_.rootExists(root);
  }
  return *known;
}

Presence PathPresence::fromError(FileError error) {
  return error == FileError::fileNotFound || error == FileError::pathNotFound ? Presence::missing
                                                                              : Presence::unknown;
}

Presence PathPresence::file(std::string_view named) {
  if (!onPresentFixedDrive(named)) return Presence::unknown;
  const std::string path = asWindowsReadsIt(named);
  auto seen = fileAnswers_.find(path);
  if (seen != fileAnswers_.end()) return seen->second;
  platform::FindData found;
  const platform::FileSearch search = files_.findFirstFile(path, found);
  // A file found is there, whatever its time stamp says.
  const Presence answer = !search               ? fromError(search.error())
                          : found.isDirectory() ? Presence::missing
                                                : Presence::present;
  fileAnswers_.emplace(path, answer);
  return answer;
}

Presence PathPresence::directory(std::string_view named) {
  if (!onPresentFixedDrive(named)) return Presence::unknown;
  // Asked without its trailing backslashes, a folder's path also answers when a
  // file stands in its place (with them, Windows only calls the name invalid).
  while (named.size() > 3 && named.ends_with('\\')) named.remove_suffix(1);
  const std::string path = asWindowsReadsIt(named);
  auto seen = folderAnswers_.find(path);
  if (seen != folderAnswers_.end()) return seen->second;
  const platform::FileAttributes attributes = files_.getFileAttributes(path);
  const Presence answer = !attributes ? fromError(attributes.error)
                          : (attributes.attributes & platform::file_attribute::directory) != 0
                              ? Presence::present
                              : Presence::missing;
  folderAnswers_.emplace(path, answer);
  return answer;
}

}  // namespace velmora::registry

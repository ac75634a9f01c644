#include "junk/exclusions.h"

#include <algorithm>

namespace velmora::junk {
namespace {

std::string_view lastName(std::string_view path) {
  while (path.ends_with('\\')) path.remove_suffix(1);
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The folder holding path (a full path without trailing backslash); nothing at a
// drive root or at a network share's root, the top of a network path.
std::optional<std::string_view> parentOf(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  if (path.starts_with("\\\\")) {
    const std::size_t server = path.find('\\', 2);
    if (server == std::string_view::npos || slash <= server) return std::nullopt;
    return path.substr(0, slash);
  }
  if (slash == std::string_view::npos || slash < 2 || path.size() <= 3) return std::nullopt;
  return path.substr(0, slash == 2 ? 3 : slash);
}

std::string_view withoutTrailingSeparators(std::string_view path) {
  while (path.size() > 3 && path.ends_with('\\')) path.remove_suffix(1);
  return path;
}

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The folder names of a path below its root, tidied as Windows tidies a path in
// its usual form: "." is dropped, ".." climbs (never above the root), and the dots
// and blanks that end a name are dropped ("Keep. " is "Keep"). A path written in
// the "\\?\" or "\??\" form is taken as it stands, as Windows takes it: only
// its empty names (repeated separators) are dropped.
std::vector<std::string_view> tidiedNames(std::string_view below, bool literal) {
  std::vector<std::string_view> names;
  for (std::size_t start = 0; start <= below.size();) {
    std::size_t end = below.find('\\', start);
    if (end == std::string_view::npos) end = below.size();
    std::string_view name = below.substr(start, end - start);
    start = end + 1;
    if (!literal && name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    if (!literal) name = name.substr(0, name.find_last_not_of(". ") + 1);
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

}  // namespace

std::optional<std::string> exclusionFolderPath(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
  // Explorer's "Copy as path" puts the path in quotes.
  if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
  std::string path(line);
  std::replace(path.begin(), path.end(), '/', '\\');
  std::string_view text = path;
  // The device and object-manager spellings of a path name the same folder:
  // "\\?\C:\Keep", "\??\C:\Keep" and "\\.\C:\Keep" are C:\Keep, and
  // "\\?\UNC\server\share" is \\server\share.
  bool literal = false;
  for (std::string_view prefix : {"\\\\?\\", "\\??\\", "\\\\.\\"}) {
    if (!text.starts_with(prefix)) continue;
    literal = prefix != "\\\\.\\";
    text.remove_prefix(prefix.size());
    if (text.size() >= 4 && (text[0] | 0x20) == 'u' && (text[1] | 0x20) == 'n' && (text[2] | 0x20) == 'c' &&
        text[3] == '\\') {
      // "UNC\server" becomes "\\server" in place: the "C" gives way to a backslash.
      const std::size_t at = static_cast<std::size_t>(text.data() - path.data()) + 2;
      path[at] = '\\';
      text = std::string_view(path).substr(at);
    } else if (text.empty() || text.starts_with('\\')) {
      return std::nullopt;
    }
    break;
  }
  std::string root;
  std::string_view below;
  if (text.size() >= 2 && isDriveLetter(text[0]) && text[1] == ':' && (text.size() == 2 || text[2] == '\\')) {
    // A drive letter alone names the drive's whole root, as "D:" does in a dialog.
    root = std::string(text.substr(0, 2)) + "\\";
    below = text.substr(std::min<std::size_t>(text.size(), 3));
  } else if (text.starts_with("\\\\")) {
    // A network path: its server and share are its root and are never climbed out of.
    const std::vector<std::string_view> names = tidiedNames(text.substr(2), true);
    if (names.size() < 2) return std::nullopt;
    root = "\\\\" + std::string(names[0]) + "\\" + std::string(names[1]) + "\\";
    below = text.substr(
        std::min(text.size(), static_cast<std::size_t>(names[1].data() + names[1].size() - text.data() + 1)));
  } else {
    return std::nullopt;  // Relative, or relative to a drive's current folder ("D:Keep").
  }
  std::string result = root;
  for (std::string_view name : tidiedNames(below, literal)) result.append(name).push_back('\\');
  if (result.size() > 3) result.pop_back();
  return result;
}

std::string expandedExclusionLine(const std::string& line, const platform::SystemInfo& system) {
  if (line.find('%') == std::string::npos) return line;
  return system.expandEnvironment(line).value_or(line);
}

std::vector<std::string> expandedExclusionLines(const std::vector<std::string>& lines,
                                                const platform::SystemInfo& system) {
  std::vector<std::string> expanded;
  expanded.reserve(lines.size());
  for (const std::string& line : lines) expanded.push_back(expandedExclusionLine(line, system));
  return expanded;
}

std::vector<std::string> linesNamingNoFolder(const std::vector<std::string>& lines,
                                             const platform::SystemInfo& system) {
  std::vector<std::string> none;
  for (const std::string& line : lines)
    if (line.find_first_not_of(" \t") != std::string::npos &&
        !exclusionFolderPath(expandedExclusionLine(line, system)))
      none.push_back(line);
  return none;
}

Exclusions::Exclusions(platform::FileSystem& files, const std::vector<std::string>& lines,
                       platform::Drives* drives)
    : files_(&files), drives_(drives) {
  for (const std::string& line : lines) {
    std::optional<std::string> path = exclusionFolderPath(line);
    if (!path) continue;
    Folder folder{
        *path, networkPathOf(*path), platform::FileIdentity::failed(platform::FileError::other), {}};
    // A network folder is compared by its path only: opening it would wait on the
    // network at the start of every root.
    if (folder.networkPath.empty()) folder.actual = files.fileIdentity(*path);
    folder.longName = lastName(folder.actual ? folder.actual.finalPath : folder.path);
    folders_.push_back(std::move(folder));
  }
}

std::string Exclusions::networkPathOf(std::string_view path) const {
  if (path.starts_with("\\\\")) return std::string(withoutTrailingSeparators(path));
  if (!drives_ || path.size() < 3 || path[1] != ':') return {};
  const char letter = static_cast<char>(path[0] & ~0x20);
  if (letter < 'A' || letter > 'Z') return {};
  std::optional<std::string>& root = networkRoots_[static_cast<std::size_t>(letter - 'A')];
  if (!root) {
    const std::string drive{letter, ':', '\\'};
    root = drives_->getDriveType(drive) != platform::DriveType::remote
               ? std::string()
               : drives_->getNetworkName(drive).value_or(drive.substr(0, 2));
  }
  if (root->empty()) return {};
  return std::string(withoutTrailingSeparators(*root + std::string(path.substr(2))));
}

bool Exclusions::namedByText(std::string_view path) const {
  std::optional<std::string> networkPath;
  for (const Folder& folder : folders_) {
    if (files_->equalIgnoringCase(path, folder.path)) return true;
    if (folder.networkPath.empty()) continue;
    if (!networkPath) networkPath = networkPathOf(path);
    if (!networkPath->empty() && files_->equalIgnoringCase(*networkPath, folder.networkPath)) return true;
  }
  return false;
}

bool Exclusions::excludes(std::string_view folderPath, std::string_view name) const {
  if (namedByText(folderPath)) return true;
  std::optional<platform::FileIdentity> actual;
  for (const Folder& folder : folders_) {
    // A folder with the excluded folder's name may be it reached another way; only
    // then is it opened to ask, so a walk pays nothing for the other folders, and
    // never on a network place.
    if (!folder.actual || !files_->equalIgnoringCase(name, folder.longName)) continue;
    if (!actual) {
      actual = networkPathOf(folderPath).empty() ? files_->fileIdentity(folderPath)
                                                 : platform::FileIdentity::failed(platform::FileError::other);
    }
    if (actual->sameObject(folder.actual)) return true;
  }
  return false;
}

bool Exclusions::isExcludedFolder(const platform::FileIdentity& folder) const {
  for (const Folder& excluded : folders_)
    if (folder.sameObject(excluded.actual)) return true;
  return false;
}

bool Exclusions::coversRoot(std::string_view root) const {
  if (folders_.empty()) return false;
  if (!networkPathOf(root).empty()) {
    // On a network place: the root and its folders up to the share, by their text.
    for (std::optional<std::string_view> up = withoutTrailingSeparators(root); up; up = parentOf(*up))
      if (namedByText(*up)) return true;
    return false;
  }
  const platform::FileIdentity actual = files_->fileIdentity(root);
  if (!actual) return false;
  if (isExcludedFolder(actual)) return true;
  // Its folders up to the drive root, on the path it really lies on.
  const std::string_view path = withoutTrailingSeparators(actual.finalPath);
  for (std::optional<std::string_view> up = parentOf(path); up; up = parentOf(*up))
    if (isExcludedFolder(files_->fileIdentity(*up))) return true;
  return false;
}

}  // namespace velmora::junk

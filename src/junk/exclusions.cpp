#include "junk/exclusions.h"

namespace velmora::junk {
namespace {

std::string_view lastName(std::string_view path) {
  while (path.ends_with('\\')) path.remove_suffix(1);
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The folder holding path (a full path without trailing backslash); nothing at a
// drive root or share.
std::optional<std::string_view> parentOf(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos || slash < 3 || path.starts_with("\\\\")) return std::nullopt;
  return path.substr(0, slash == 2 ? 3 : slash);
}

}  // namespace

std::optional<std::string> exclusionFolderPath(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
  std::string path;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i] == '/' ? '\\' : line[i];
    // Separators collapse, except the two that begin a network path.
    if (c == '\\' && !path.empty() && path.back() == '\\' && i > 1) continue;
    path += c;
  }
  const bool drivePath = path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
                         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  const bool networkPath = path.starts_with("\\\\") && path.find('\\', 2) != std::string::npos;
  if (!drivePath && !networkPath) return std::nullopt;
  while (path.ends_with('\\') && path.size() > 3) path.pop_back();
  return path;
}

Exclusions::Exclusions(platform::FileSystem& files, const std::vector<std::string>& lines) : files_(&files) {
  for (const std::string& line : lines) {
    std::optional<std::string> path = exclusionFolderPath(line);
    if (!path) continue;
    // A network folder is compared by its path only: opening it would wait on the
    // network at the start of every root, and no scan root is a network path.
    Folder folder{*path,
                  path->starts_with("\\\\") ? platform::FileIdentity::failed(platform::FileError::other)
                                            : files.fileIdentity(*path),
                  {}};
    folder.longName = lastName(folder.actual ? folder.actual.finalPath : folder.path);
    folders_.push_back(std::move(folder));
  }
}

bool Exclusions::excludes(std::string_view folderPath, std::string_view name) const {
  std::optional<platform::FileIdentity> actual;
  for (const Folder& folder : folders_) {
    if (files_->equalIgnoringCase(folderPath, folder.path)) return true;
    // A folder with the excluded folder's name may be it reached another way; only
    // then is it opened to ask, so a walk pays nothing for the other folders.
    if (!folder.actual || !files_->equalIgnoringCase(name, folder.longName)) continue;
    if (!actual) actual = files_->fileIdentity(folderPath);
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
  const platform::FileIdentity actual = files_->fileIdentity(root);
  if (!actual) return false;
  if (isExcludedFolder(actual)) return true;
  // Its folders up to the drive root, on the path it really lies on.
  std::string_view path = actual.finalPath;
  while (path.size() > 3 && path.ends_with('\\')) path.remove_suffix(1);
  for (std::optional<std::string_view> up = parentOf(path); up; up = parentOf(*up))
    if (isExcludedFolder(files_->fileIdentity(*up))) return true;
  return false;
}

}  // namespace velmora::junk

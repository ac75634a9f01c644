#include "platform/file_system.h"

#include <string>

#include "platform/extended_path.h"

namespace velmora::platform {

bool FileSystem::fileExists(std::string_view path) {
  FindData found;
  FileSearch search = findFirstFile(path, found);
  if (!search) return false;
  return !found.isDirectory() && localDosDateTime(found.lastWriteTime).has_value();
}

bool FileSystem::directoryExists(std::string_view path) {
  FileAttributes result = getFileAttributes(path);
  return result && (result.attributes & file_attribute::directory) != 0;
}

namespace {

// Where the folders below the root begin in an extended-length path: after
// "\\?\C:\" or after "\\?\UNC\server\share\"; nothing for a device path.
std::optional<std::size_t> belowRoot(std::string_view path) {
  constexpr std::string_view unc = "\\\\?\\UNC\\";
  if (path.starts_with(unc)) {
    const std::size_t server = path.find('\\', unc.size());
    if (server == std::string_view::npos) return std::nullopt;
    const std::size_t share = path.find('\\', server + 1);
    return share == std::string_view::npos ? path.size() : share + 1;
  }
  if (path.size() >= 7 && path.starts_with("\\\\?\\") && path[5] == ':' && path[6] == '\\') return 7;
  return std::nullopt;
}

}  // namespace

bool FileSystem::plainDirectoryExists(std::string_view path) {
  const std::optional<std::string> full = extendedLengthPath(path);
  if (!full) return false;
  std::string_view text = *full;
  const std::optional<std::size_t> start = belowRoot(text);
  if (!start) return false;
  while (text.size() > *start && text.back() == '\\') text.remove_suffix(1);
  // A drive root or share is no reparse point of its own.
  if (text.size() <= *start) return directoryExists(text);
  for (std::size_t end = text.find('\\', *start);; end = text.find('\\', end + 1)) {
    const FileAttributes folder = getFileAttributes(text.substr(0, end));
    if (!folder || (folder.attributes & file_attribute::directory) == 0 ||
        (folder.attributes & file_attribute::reparsePoint) != 0)
      return false;
    if (end == std::string_view::npos) return true;
  }
}

}  // namespace velmora::platform

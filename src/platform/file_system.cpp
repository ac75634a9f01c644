#include "platform/file_system.h"

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

}  // namespace velmora::platform

#include "platform/data_folders.h"

#include <initializer_list>

namespace velmora::platform {
namespace {

// Makes each folder of the chain below base that is missing, then writes the
// file; the folders' own outcomes are not looked at, since the write tells
// whether the place took the file.
std::optional<std::string> writeBelow(FileSystem& files, TextFiles& textFiles, std::string folder,
                                      std::initializer_list<std::string_view> chain,
                                      std::string_view fileName, std::string_view bytes) {
  for (std::string_view name : chain) {
    folder.append(name);
    files.createDirectory(folder);
    folder += '\\';
  }
  std::string path = folder + std::string(fileName);
  if (!textFiles.writeBytes(path, bytes)) return std::nullopt;
  return path;
}

}  // namespace

std::optional<std::string> writeDataFile(FileSystem& files, TextFiles& textFiles, const SystemInfo& system,
                                         std::string_view programFolder, std::string_view sub,
                                         std::string_view fileName, std::string_view bytes) {
  if (auto written = writeBelow(files, textFiles, std::string(programFolder), {"data", sub}, fileName, bytes))
    return written;
  const std::optional<std::string> local = system.localAppDataFolder();
  if (!local) return std::nullopt;
  std::string base = *local;
  if (!base.ends_with('\\')) base += '\\';
  return writeBelow(files, textFiles, base, {kLocalDataFolderName, sub}, fileName, bytes);
}

}  // namespace velmora::platform

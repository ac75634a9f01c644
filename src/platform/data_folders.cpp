#include "platform/data_folders.h"

namespace velmora::platform {
std::optional<std::string> freeBase(const TextFiles& textFiles, const std::string& folder, std::string_view stem,
                                    std::span<const std::string_view> extensions) {
  const auto taken = [&](const std::string& base) {
    for (std::string_view extension : extensions)
      if (textFiles.readBytes(base + std::string(extension)).status != ReadStatus::notFound) return true;
    return false;
  };
  const std::string stemPath = folder + std::string(stem);
  std::string base = stemPath;
  for (int n = 2; taken(base); ++n) {
    if (n > 99) return std::nullopt;
    base = stemPath + "-" + std::to_string(n);
  }
  return base;
}

void makeFolders(FileSystem& files, const std::string& folder) {
  for (std::size_t slash = folder.find('\\', 3); slash != std::string::npos;
       slash = folder.find('\\', slash + 1))
    files.createDirectory(folder.substr(0, slash));
}

std::vector<std::string> dataFolders(const SystemInfo& system, std::string_view programFolder,
                                     std::string_view sub) {
  std::vector<std::string> folders{std::string(programFolder) + "data\\" + std::string(sub) + "\\"};
  std::optional<std::string> local = system.localAppDataFolder();
  if (local && !local->empty()) {
    if (!local->ends_with('\\')) *local += '\\';
    folders.push_back(*local + std::string(kLocalDataFolderName) + "\\" + std::string(sub) + "\\");
  }
  return folders;
}

std::optional<std::string> writeDataFile(FileSystem& files, TextFiles& textFiles, const SystemInfo& system,
                                         std::string_view programFolder, std::string_view sub,
                                         std::string_view fileName, std::string_view bytes) {
  for (const std::string& folder : dataFolders(system, programFolder, sub)) {
    makeFolders(files, folder);
    const std::string path = folder + std::string(fileName);
    if (textFiles.writeBytes(path, bytes)) return path;
  }
  return std::nullopt;
}

WrittenFile writeNewDataFile(Services& services, std::string_view programFolder, std::string_view sub,
                             std::string_view stem, std::string_view extension, std::string_view bytes,
                             std::span<const std::string_view> siblings) {
  WrittenFile first;
  for (const std::string& folder : dataFolders(services.system, programFolder, sub)) {
    makeFolders(services.files, folder);
    std::vector<std::string_view> extensions{extension};
    extensions.insert(extensions.end(), siblings.begin(), siblings.end());
    std::optional<std::string> path = freeBase(services.textFiles, folder, stem, extensions);
    if (path) *path += extension;
    if (first.path.empty()) first.path = path.value_or(folder + std::string(stem) + std::string(extension));
    if (path && services.textFiles.writeBytes(*path, bytes)) return {true, *path};
  }
  return first;
}

}  // namespace velmora::platform

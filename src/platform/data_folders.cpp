#include "platform/data_folders.h"

namespace velmora::platform {
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

WrittenFile createNewNamed(TextFiles& textFiles, const std::string& folder, std::string_view stem,
                           std::string_view extension, std::string_view bytes,
                           std::span<const std::string_view> siblings) {
  const std::string stemPath = folder + std::string(stem);
  const std::string ending(extension);
  WrittenFile made{false, stemPath + ending};
  for (int n = 1; n < 100; ++n) {
    const std::string base = n == 1 ? stemPath : stemPath + "-" + std::to_string(n);
    // A file that cannot be read still takes its name.
    bool taken = false;
    for (std::string_view sibling : siblings)
      taken = taken || textFiles.readBytes(base + std::string(sibling)).status != ReadStatus::notFound;
    if (taken) continue;
    // What createNew says of the name is the answer, never an earlier look: another
    // run may take it in between.
    const NewFile outcome = textFiles.createNew(base + ending, bytes, false);
    if (outcome == NewFile::written) return {true, base + ending};
    if (outcome != NewFile::exists) return made;
  }
  return made;
}

WrittenFile writeNewDataFile(Services& services, std::string_view programFolder, std::string_view sub,
                             std::string_view stem, std::string_view extension, std::string_view bytes,
                             std::span<const std::string_view> siblings) {
  WrittenFile first;
  for (const std::string& folder : dataFolders(services.system, programFolder, sub)) {
    makeFolders(services.files, folder);
    WrittenFile made = createNewNamed(services.textFiles, folder, stem, extension, bytes, siblings);
    if (made.written) return made;
    if (first.path.empty()) first = std::move(made);
  }
  return first;
}

}  // namespace velmora::platform

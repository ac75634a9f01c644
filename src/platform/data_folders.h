#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/system_info.h"
#include "platform/text_files.h"

// Where the program keeps what it writes for the user to read later (the command
// line's reports, the registry backups): a sub-folder of "data" beside the program
// or, when the program's folder cannot be written (a folder under Program Files, a
// read-only share), the same sub-folder of the user's own application data.
namespace velmora::platform {

// The folder of the program's own in the user's local application data.
inline constexpr std::string_view kLocalDataFolderName = "Velmora Disk Cleaner";

// The two places of sub, each with its trailing backslash, in the order they are
// tried: programFolder + "data\<sub>\", then the local application-data folder +
// "\Velmora Disk Cleaner\<sub>\" (left out when the system names none).
// programFolder ends with a backslash.
std::vector<std::string> dataFolders(const SystemInfo& system, std::string_view programFolder,
                                     std::string_view sub);

// Makes every level of folder (one of dataFolders) below its first existing one;
// the levels' own outcomes are not looked at, since a write there tells whether
// the place takes files.
void makeFolders(FileSystem& files, const std::string& folder);

// Writes bytes as the file fileName in the first place of sub that takes it; the
// folders are made as needed. The full path of the file written, or nothing when
// neither place took it.
std::optional<std::string> writeDataFile(FileSystem& files, TextFiles& textFiles, const SystemInfo& system,
                                         std::string_view programFolder, std::string_view sub,
                                         std::string_view fileName, std::string_view bytes);

// A file the program wrote, or was to write.
struct WrittenFile {
  bool written = false;
  std::string path;
};

// Makes a new file holding bytes in folder, named "<stem><extension>" or, when
// that name is taken, "<stem>-2<extension>", "-3" and so on (nothing past a
// hundred tries): the first name that no file takes with that extension nor with
// any of siblings (a name that another kind of file written in parts already
// uses) and that createNew can make. Two programs choosing a name in the same
// second never share one, and no file is ever replaced. Not written: path names
// the first name tried.
WrittenFile createNewNamed(TextFiles& textFiles, const std::string& folder, std::string_view stem,
                           std::string_view extension, std::string_view bytes,
                           std::span<const std::string_view> siblings = {});

// As writeDataFile, but as a new file never written over one there
// (createNewNamed), in the first place of sub that takes it. Not written
// anywhere: path names the file that was to be written beside the program.
WrittenFile writeNewDataFile(Services& services, std::string_view programFolder, std::string_view sub,
                             std::string_view stem, std::string_view extension, std::string_view bytes,
                             std::span<const std::string_view> siblings = {});

}  // namespace velmora::platform

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/system_info.h"
#include "platform/text_files.h"

// Where the program keeps what it writes for the user to read later (the command
// line's reports, the registry backups): a sub-folder of "data" beside the program
// or, when the program's folder cannot be written (a folder under Program Files, a
// read-only share), the same sub-folder of the user's own application data.
namespace velmora::platform {

// The folder of the program's own in the user's local application data.
inline constexpr std::string_view kLocalDataFolderName = "Velmora Disk Cleaner";

// Writes bytes as the file fileName in programFolder + "data\" + sub, or, when it
// cannot be written there, in the local application-data folder + "\Velmora Disk
// Cleaner\" + sub; the folders are made as needed. programFolder ends with a
// backslash. The full path of the file written, or nothing when neither place
// took it.
std::optional<std::string> writeDataFile(FileSystem& files, TextFiles& textFiles, const SystemInfo& system,
                                         std::string_view programFolder, std::string_view sub,
                                         std::string_view fileName, std::string_view bytes);

}  // namespace velmora::platform

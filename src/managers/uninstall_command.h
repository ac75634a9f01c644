#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// How an uninstall command is started without starting something else.
namespace velmora::managers {

// The command line to hand to CreateProcess for a registered uninstall command,
// or nothing when nothing may start.
//
// Windows starts an unquoted command with blanks by trying the text up to each
// blank in turn, so a planted C:\Program.exe would run in place of
// C:\Program Files\App\uninst.exe. So, when the command is not quoted and a blank
// comes before its first ".exe", the program is the shortest beginning of the
// command ending in ".exe" (letter case ignored) that names an existing file; it is
// quoted and the rest stays as the arguments. When none names a file, nothing
// starts. An unquoted command with a blank and no ".exe" at all starts only when
// its first word is a bare program name (no folder), which Windows looks up on its
// search path and never cuts at a blank; otherwise nothing starts. Every other
// command (quoted, or with no blank before its first ".exe", such as
// "MsiExec.exe /X{...}") starts exactly as stored. An empty command starts nothing.
//
// isFile says whether a path names an existing file (not a folder).
std::optional<std::string> uninstallCommandLine(std::string_view command,
                                                const std::function<bool(const std::string&)>& isFile);

}  // namespace velmora::managers

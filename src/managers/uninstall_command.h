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
// C:\Program Files\App\uninst.exe; and it looks a program named without a folder
// up in the starting program's folder and the working folder before the system
// folder. So:
// - A program named without a folder ("MsiExec.exe /X{...}", "rundll32 x.dll,f",
//   quoted or not) is the file of that name in systemFolder (".exe" added to a
//   name without an extension), started by its full path in quotes; when there is
//   no such file, nothing starts.
// - A quoted program, or an unquoted command whose first word ends in ".exe" or
//   that has no blank, starts exactly as stored.
// - Otherwise the program is the shortest beginning of the command that ends in
//   ".exe" (letter case ignored) followed by a blank or the end, and names an
//   existing file; it is quoted and the rest stays as the arguments. When none
//   does, nothing starts.
// - A program named with a folder starts only from an absolute path ("C:\..." or
//   "\\server\share\..."): a relative one would be found from the working folder.
// A tab ends an unquoted program name as a blank does, as it does for CreateProcess.
// An empty command, or one whose opening quote is never closed, starts nothing. An expandable (REG_EXPAND_SZ) command is
// expanded before it is handed here.
//
// isFile says whether a path names an existing file (not a folder).
std::optional<std::string> uninstallCommandLine(std::string_view command, std::string_view systemFolder,
                                                const std::function<bool(const std::string&)>& isFile);

}  // namespace velmora::managers

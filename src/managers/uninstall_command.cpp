#include "managers/uninstall_command.h"

#include <cctype>

#include "common/text_lines.h"

namespace velmora::managers {
namespace {

// CreateProcess ends an unquoted program name at a blank or a tab alike.
constexpr std::string_view kBlanks = " \t";

bool namesAFolder(std::string_view program) {
  return program.find_first_of("\\/:") != std::string_view::npos;
}

bool isSlash(char c) { return c == '\\' || c == '/'; }

// "C:\..." or "\\server\share\...": a path that names its place whatever the
// working folder is. "C:x.exe", "\x.exe" and "App\x.exe" are taken from the
// working folder or its drive, which can be anywhere.
bool isAbsolute(std::string_view path) {
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      isSlash(path[2]))
    return true;
  return path.size() >= 3 && isSlash(path[0]) && isSlash(path[1]) && !isSlash(path[2]);
}

// The program named without a folder, from the system folder by its full path.
std::optional<std::string> fromSystemFolder(std::string_view name, std::string_view arguments,
                                            std::string_view systemFolder,
                                            const std::function<bool(const std::string&)>& isFile) {
  if (name.empty() || systemFolder.empty()) return std::nullopt;
  std::string program = std::string(systemFolder);
  if (!program.ends_with('\\')) program += '\\';
  program += name;
  if (name.find('.') == std::string_view::npos) program += ".exe";
  if (!isFile(program)) return std::nullopt;
  return "\"" + program + "\"" + std::string(arguments);
}

// Where each ".exe" that ends a path (followed by a blank or the end) ends.
std::size_t nextExeEnd(const std::string& folded, std::size_t from) {
  for (std::size_t exe = folded.find(".exe", from); exe != std::string::npos;
       exe = folded.find(".exe", exe + 1)) {
    const std::size_t end = exe + 4;
    if (end == folded.size() || kBlanks.find(folded[end]) != std::string_view::npos) return end;
  }
  return std::string::npos;
}

}  // namespace

std::optional<std::string> uninstallCommandLine(std::string_view command, std::string_view systemFolder,
                                                const std::function<bool(const std::string&)>& isFile) {
  const std::size_t start = command.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return std::nullopt;

  if (command[start] == '"') {
    // A quote never closed leaves Windows to guess where the program ends.
    const std::size_t close = command.find('"', start + 1);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view program = command.substr(start + 1, close - start - 1);
    if (!namesAFolder(program))
      return fromSystemFolder(program, command.substr(close + 1), systemFolder, isFile);
    if (!isAbsolute(program)) return std::nullopt;
    return std::string(command);
  }

  const std::size_t firstBlank = command.find_first_of(kBlanks, start);
  const std::string_view firstWord = command.substr(start, firstBlank - start);
  if (!namesAFolder(firstWord))
    return fromSystemFolder(firstWord, firstBlank == std::string_view::npos ? "" : command.substr(firstBlank),
                            systemFolder, isFile);
  if (!isAbsolute(firstWord)) return std::nullopt;
  if (firstBlank == std::string_view::npos) return std::string(command);

  const std::string folded = text::asciiLower(command);
  if (nextExeEnd(folded, start) == firstBlank) return std::string(command);
  for (std::size_t end = nextExeEnd(folded, start); end != std::string::npos; end = nextExeEnd(folded, end)) {
    std::string program(command.substr(start, end - start));
    if (isFile(program)) return "\"" + program + "\"" + std::string(command.substr(end));
  }
  return std::nullopt;
}

}  // namespace velmora::managers

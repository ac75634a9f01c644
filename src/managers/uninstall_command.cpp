#include "managers/uninstall_command.h"

#include "common/text_lines.h"

namespace velmora::managers {
namespace {

bool namesAFolder(std::string_view program) {
  return program.find_first_of("\\/:") != std::string_view::npos;
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
    if (end == folded.size() || folded[end] == ' ') return end;
  }
  return std::string::npos;
}

}  // namespace

std::optional<std::string> uninstallCommandLine(std::string_view command, std::string_view systemFolder,
                                                const std::function<bool(const std::string&)>& isFile) {
  const std::size_t start = command.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;

  if (command[start] == '"') {
    const std::size_t close = command.find('"', start + 1);
    if (close == std::string_view::npos) return std::string(command);
    const std::string_view program = command.substr(start + 1, close - start - 1);
    if (namesAFolder(program)) return std::string(command);
    return fromSystemFolder(program, command.substr(close + 1), systemFolder, isFile);
  }

  const std::size_t firstBlank = command.find(' ', start);
  const std::string_view firstWord = command.substr(start, firstBlank - start);
  if (!namesAFolder(firstWord))
    return fromSystemFolder(firstWord, firstBlank == std::string_view::npos ? "" : command.substr(firstBlank),
                            systemFolder, isFile);
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

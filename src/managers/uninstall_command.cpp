#include "managers/uninstall_command.h"

#include "common/text_lines.h"

namespace velmora::managers {

std::optional<std::string> uninstallCommandLine(std::string_view command,
                                                const std::function<bool(const std::string&)>& isFile) {
  const std::size_t start = command.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  if (command[start] == '"') return std::string(command);

  const std::string folded = text::asciiLower(command);
  const std::size_t firstExe = folded.find(".exe", start);
  const std::size_t firstBlank = command.find(' ', start);
  if (firstBlank == std::string_view::npos || (firstExe != std::string::npos && firstExe < firstBlank))
    return std::string(command);
  if (firstExe == std::string::npos) {
    const std::string_view firstWord = command.substr(start, firstBlank - start);
    if (firstWord.find_first_of("\\/:") != std::string_view::npos) return std::nullopt;
    return std::string(command);
  }

  for (std::size_t exe = firstExe; exe != std::string::npos; exe = folded.find(".exe", exe + 1)) {
    const std::size_t end = exe + 4;
    std::string program(command.substr(start, end - start));
    if (!isFile(program)) continue;
    return "\"" + program + "\"" + std::string(command.substr(end));
  }
  return std::nullopt;
}

}  // namespace velmora::managers

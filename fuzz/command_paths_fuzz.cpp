// The command lines of the Startup and Uninstall pages and of the registry checks
// on any text: the cut paths are parts of the command, and an uninstall command is
// either started as stored or with its program quoted (a bare name's from the
// system folder), never as anything else.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdlib>

#include <string>

#include "common/text_lines.h"
#include "managers/startup_list.h"
#include "managers/uninstall_command.h"
#include "registry/cleaned_path.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint64_t files = input.ConsumeIntegral<std::uint64_t>();
  const std::string command = input.ConsumeRemainingBytesAsString();

  const std::string unquoted = registry::withoutQuotes(command);
  for (const std::string& path : {managers::startupWorkingPath(command), registry::cleanedServerPath(command),
                                  registry::cleanedCachePath(command)})
    if (!unquoted.starts_with(path)) std::abort();

  // Whether a path names a file: by its length, so that some beginnings do; never
  // one with a quote or a NUL, which no Windows file name holds.
  const auto isFile = [files](const std::string& path) {
    return path.find_first_of(std::string_view("\"\0", 2)) == std::string::npos &&
           (files >> (path.size() % 64)) & 1;
  };
  const std::string system = "C:\\Sys";
  const auto line = managers::uninstallCommandLine(command, system, isFile);
  if (!line || *line == command) return 0;
  // A tab ends a program name as a blank does.
  const std::size_t start = command.find_first_not_of(" \t");
  const std::size_t close = line->find('"', 1);
  if (start == std::string::npos || !line->starts_with('"') || close == std::string::npos) std::abort();
  const std::string program = line->substr(1, close - 1);
  const std::string rest = line->substr(close + 1);
  const std::string stored = command.substr(start);
  if (!isFile(program)) std::abort();

  // A program named without a folder comes from the system folder, and the rest
  // of the command follows it unchanged.
  const bool quoted = stored.starts_with('"');
  const std::string named =
      quoted ? stored.substr(1, stored.find('"', 1) - 1) : stored.substr(0, stored.find_first_of(" \t"));
  if (named.find_first_of("\\/:") == std::string::npos) {
    const std::string withExe = named.find('.') == std::string::npos ? named + ".exe" : named;
    if (program != system + "\\" + withExe) std::abort();
    if (stored != (quoted ? "\"" + named + "\"" : named) + rest) std::abort();
    return 0;
  }
  // Otherwise the program is a beginning of the command ending in ".exe" before a
  // blank or the end.
  if (!text::asciiLower(program).ends_with(".exe") || program + rest != stored) std::abort();
  if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') std::abort();
  return 0;
}

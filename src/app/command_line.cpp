#include "app/command_line.h"

#include "app/unattended_clean.h"
#include "common/text_lines.h"

namespace velmora::app {

CommandRequest readCommandLine(const std::vector<std::string>& arguments) {
  bool usage = false;
  bool clean = false;
  bool preview = false;
  for (const std::string& argument : arguments) {
    const bool isSwitch = argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
    const std::string name =
        isSwitch ? text::asciiLower(std::string_view(argument).substr(1)) : std::string();
    if (name == "?")
      usage = true;
    else if (name == "auto")
      clean = true;
    else if (name == "preview")
      preview = true;
    else
      return {CommandMode::invalid, "Unknown switch: " + argument};
  }
  if (usage) return {CommandMode::usage, {}};
  if (clean && preview) return {CommandMode::invalid, "Give only one of /auto and /preview."};
  if (clean) return {CommandMode::clean, {}};
  if (preview) return {CommandMode::preview, {}};
  return {};
}

std::string usageText() {
  return "Velmora Disk Cleaner\r\n"
         "\r\n"
         "VelmoraDiskCleaner.exe [/auto | /preview | /?]\r\n"
         "\r\n"
         "  (none)    Opens the window.\r\n"
         "  /auto     Finds the junk files of the categories and drives last checked on the\r\n"
         "            Files page, deletes them, writes a report and exits. No window opens.\r\n"
         "  /preview  Finds the same files, deletes nothing, and reports what /auto would delete.\r\n"
         "  /?        Shows this text.\r\n"
         "\r\n"
         "Switches may begin with / or - and are not case-sensitive.\r\n"
         "\r\n"
         "Exit codes:\r\n"
         "  0  every file found was deleted, nothing was found, or the preview finished\r\n"
         "  1  an unknown switch, or both /auto and /preview\r\n"
         "  2  the run could not start: no category or drive chosen, the catalogue or an\r\n"
         "     existing exclusion list unreadable, or another /auto running\r\n"
         "  3  some files could not be deleted\r\n"
         "\r\n"
         "Reports: data\\logs\\clean-YYYYMMDD-HHMMSS.txt beside the program, or\r\n"
         "%LOCALAPPDATA%\\Velmora Disk Cleaner\\logs when the program's folder cannot be written.\r\n";
}

CommandOutcome runCommandLine(const std::vector<std::string>& arguments, platform::Services& services,
                              platform::ProcessHost& host, const std::optional<std::string>& exePath) {
  const CommandRequest request = readCommandLine(arguments);
  switch (request.mode) {
    case CommandMode::window:
      return {};
    case CommandMode::usage:
      return {kExitDone, !host.writeToStarter(usageText())};
    case CommandMode::invalid:
      host.writeToStarter(request.problem + "\r\n\r\n" + usageText());
      return {kExitBadArguments};
    case CommandMode::clean:
    case CommandMode::preview:
      break;
  }
  if (!exePath) {
    host.writeToStarter("Velmora Disk Cleaner cannot find where it was started from.\r\n");
    return {kExitCannotStart};
  }
  return {runUnattendedClean(request.mode == CommandMode::clean, services, host, *exePath)};
}

}  // namespace velmora::app

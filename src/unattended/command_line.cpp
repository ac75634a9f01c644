#include "unattended/command_line.h"

#include <algorithm>

#include "unattended/unattended_clean.h"
#include "common/text_lines.h"

namespace velmora::unattended {

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

namespace {

// One entry of the usage text: a switch or code, and what it means.
struct UsageEntry {
  const char* term;  // Empty for a paragraph of its own.
  const char* text;
};

constexpr UsageEntry kUsage[] = {
    {"", "Velmora Disk Cleaner"},
    {"", ""},
    {"", "VelmoraDiskCleaner.exe [/auto | /preview | /?]"},
    {"", ""},
    {"(none)", "Opens the window."},
    {"/auto",
     "Finds the junk files of the categories and drives last checked on the Files page, deletes them, "
     "writes a report and exits. No window opens."},
    {"/preview", "Finds the same files, deletes nothing, and reports what /auto would delete."},
    {"/?", "Shows this text."},
    {"", ""},
    {"", "Switches may begin with / or - and are not case-sensitive."},
    {"", ""},
    {"", "Exit codes:"},
    {"0", "Every file found was deleted, nothing was found, or the preview finished."},
    {"1", "An unknown switch, or both /auto and /preview."},
    {"2",
     "The run could not start or went wrong: no category or drive chosen, the catalogue or an existing "
     "exclusion list unreadable, an exclusion line that names no folder, an unreadable recycleDeleted "
     "setting, a run as LocalSystem, no place to write the report, another /auto running, or an error "
     "that stopped the run."},
    {"3", "Some files could not be deleted, or the report could not be written to its end."},
    {"", ""},
    {"",
     "Reports: data\\logs\\clean-YYYYMMDD-HHMMSS.txt beside the program (with -2, -3 when a report of that "
     "second exists), or "
     "%LOCALAPPDATA%\\Velmora Disk Cleaner\\logs when the program's folder cannot be written."},
};

// The words of text after lead, in lines of at most width characters (no limit for
// 0), broken between words; every line after the first is indented as far as lead.
std::string wrapped(const std::string& lead, std::string_view text, std::size_t width) {
  std::string out = lead;
  std::size_t lineStart = 0;
  bool lineHasWord = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (lineHasWord && width != 0 && out.size() - lineStart + 1 + word.size() > width) {
      out += "\r\n";
      lineStart = out.size();
      out += std::string(lead.size(), ' ');
      lineHasWord = false;
    }
    if (lineHasWord) out += ' ';
    out += word;
    lineHasWord = true;
  }
  return out;
}

}  // namespace

std::string usageText(std::size_t width) {
  constexpr std::size_t kTermColumn = 12;
  std::string text;
  for (const UsageEntry& entry : kUsage) {
    const std::string term = entry.term;
    std::string lead;
    if (!term.empty())
      lead = width == 0 ? term + ": " : "  " + term + std::string(kTermColumn - 2 - term.size(), ' ');
    text += wrapped(lead, entry.text, width) + "\r\n";
  }
  return text;
}

CommandOutcome runCommandLine(const std::vector<std::string>& arguments, platform::Services& services,
                              platform::ProcessHost& host, const std::optional<std::string>& exePath) {
  const CommandRequest request = readCommandLine(arguments);
  switch (request.mode) {
    case CommandMode::window:
      return {};
    case CommandMode::usage:
      return {kExitDone, !host.writeToStarter(usageText(kConsoleWidth))};
    case CommandMode::invalid:
      host.writeToStarter(request.problem + "\r\n\r\n" + usageText(kConsoleWidth));
      return {kExitBadArguments};
    case CommandMode::clean:
    case CommandMode::preview:
      break;
  }
  if (!exePath) {
    host.writeToStarter("Velmora Disk Cleaner cannot find where it was started from.\r\n");
    return {kExitCannotStart};
  }
  // Nobody may be there to answer a box: none may wait for an answer, and a run
  // that aborts ends with the exit code of a run that could not finish.
  host.showNoErrorBoxes(kExitCannotStart);
  return {runUnattendedClean(request.mode == CommandMode::clean, services, host, *exePath)};
}

}  // namespace velmora::unattended

#pragma once

#include <string>
#include <string_view>

// How the registry checks cut a command line down to the program's path. The cuts
// look for a two-character sequence but cut at the last single character of its
// set anywhere in the text, as the commands written by installers are read here:
// "C:\App\a.exe /s" becomes "C:\App\a.exe " (the blank before the slash stays).
namespace velmora::registry {

// text without any double-quote character.
std::string withoutQuotes(std::string_view text);

// text without the blanks that surround it.
std::string withoutSurroundingBlanks(std::string_view text);

// When text contains pair, keeps only what stands before the last character of
// text that is one of set ("C:\a.exe /s", " /", " /" gives "C:\a.exe").
void cutBeforeLastOf(std::string& text, std::string_view pair, std::string_view set);

// A class server's command as a path: without quotes, then cut at " /" and " -".
std::string cleanedServerPath(std::string_view command);

// A cache entry's name as a path: as a server's, and then, when it names an
// ".exe", ended four characters after the last ".", "e" or "x".
std::string cleanedCachePath(std::string_view name);

}  // namespace velmora::registry

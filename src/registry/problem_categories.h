#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_store.h"

// The eight kinds of registry problem the Registry page looks for, and the texts
// that name their keys and roots in a result row. The deletion recognises a row's
// kind by these same texts, so they are compared exactly as they stand.
namespace velmora::registry {

inline constexpr int kProblemCategoryCount = 8;

// The categories in scan order; the value is the entry's row in the category list.
enum class ProblemCategory {
  missingSharedDll = 0,
  unusedExtension = 1,
  classServer = 2,
  helpFile = 3,
  installerFolder = 4,
  uninstallEntry = 5,
  emptySoftwareKey = 6,
  muiCache = 7,
};

// The keys examined, written as the rows show them: all but the installer folders
// and the current cache key end with a backslash; "CLSID\" and "Software\" are
// relative to their roots.
inline constexpr std::string_view kSharedDllsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls\\";
inline constexpr std::string_view kClassesKey = "CLSID\\";
// Where each user's classes and the machine's classes really live, in the current
// user's hive and in the machine's. HKEY_CLASSES_ROOT only shows the two merged,
// and a key written through it goes to the machine's hive, so the class checks
// read, delete and back up each hive at its own place.
inline constexpr std::string_view kClassesHiveKey = "Software\\Classes\\";
inline constexpr std::string_view kHelpKey = "Software\\Microsoft\\Windows\\Help\\";
inline constexpr std::string_view kInstallerFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
inline constexpr std::string_view kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr std::string_view kSoftwareKey = "Software\\";
// The shell's application cache up to Windows XP...
inline constexpr std::string_view kMuiCacheKey = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache\\";
// ...and where Windows Vista and later keep it.
inline constexpr std::string_view kCurrentMuiCacheKey =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";

// The texts of the "Root Key" column.
inline constexpr std::string_view kClassesRootText = "HKCR";
inline constexpr std::string_view kCurrentUserText = "HKCU";
inline constexpr std::string_view kLocalMachineText = "HKLM";

// The root a "Root Key" text names; nothing for any other text.
std::optional<platform::RegKey> rootOfText(std::string_view text);
// The "Root Key" text of the current user's or the machine's hive.
std::string_view textOfHive(platform::RegKey hive);

// Where 32-bit programs' part of a key below HKEY_LOCAL_MACHINE\Software lies, as
// the registry editor shows it ("Software\WOW6432Node\..."). The checks read it
// and rows name it at that place rather than through the 32-bit view, so that a
// key both views share (Windows shares a few) is never examined, and listed,
// twice, and a row says which view it came from.
std::string in32BitView(std::string_view key);

// The two hives that hold classes, in the order the merged view prefers them.
inline constexpr platform::RegKey kClassHives[] = {platform::HKEY_CURRENT_USER, platform::HKEY_LOCAL_MACHINE};

// One problem found: the texts of its result row after the category's problem
// text, in column order, and what the row deletes that its texts cannot say
// exactly. The page keeps it with the row; the deletion reads it from there.
struct ProblemRow {
  ProblemCategory category = ProblemCategory::missingSharedDll;
  std::string entry;        // "Entry"
  std::string rootText;     // "Root Key"
  std::string registryKey;  // "Registry Key"
  // The value a row of a value category deletes, named exactly as the scan listed
  // it: a help file's value named "old\a.hlp" is that value, never "a.hlp".
  // Nothing for a row that deletes a key.
  std::optional<std::string> valueName;
};

}  // namespace velmora::registry

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::platform {
class SystemInfo;
}

namespace velmora::app {

// The message texts the main window holds, each named by its language-file
// key. They start empty; only the language loader sets them, and the windows read
// them by key and join them with numbers and names as they need.
class MessageTexts {
 public:
  // Every key, in the order the language loader reads them.
  static constexpr std::array<std::string_view, 58> kKeys = {"StringReadingStructure",
                                                             "StringSearch",
                                                             "StringStop",
                                                             "StringFoundFiles",
                                                             "StringFoundProblems",
                                                             "StringTotalSpace",
                                                             "StringFilesDeleted",
                                                             "StringSpaceCleared",
                                                             "StringFilesRecycled",
                                                             "StringKeptOutOfBin",
                                                             "StringBinFull",
                                                             "StringReadFromFileTable",
                                                             "StringWalked",
                                                             "StringBrowsersOpen",
                                                             "StringDeleteRegKey",
                                                             "StringConfirmation",
                                                             "StringCantDeleteKey",
                                                             "StringCantOpenKey",
                                                             "StringDataNotFound",
                                                             "StringLastVersion",
                                                             "StringNewVersionIsAvailable",
                                                             "StringCantConnectToServer",
                                                             "StringCantReadReply",
                                                             "StringDeleteProgramFromStartUp",
                                                             "StringCantDeleteItem",
                                                             "StringCantChangeItem",
                                                             "StringStartupFolder",
                                                             "StringEnabled",
                                                             "StringDisabled",
                                                             "StringDisable",
                                                             "StringEnable",
                                                             "StringCantStartSafely",
                                                             "StringCantStartUninstaller",
                                                             "StringDrive",
                                                             "StringDriveLabel",
                                                             "StringDriveNumber",
                                                             "StringFileSystem",
                                                             "StringDiskSpaceTotal",
                                                             "StringDiskSpaceFree",
                                                             "StringJunkFiles",
                                                             "StringCookies",
                                                             "StringHistory",
                                                             "StringRecent",
                                                             "StringTemporary",
                                                             "StringTemporaryInet",
                                                             "StringRecycleBin",
                                                             "StringBrokenShortcuts",
                                                             "StringMissingDlls",
                                                             "StringUnusedExt",
                                                             "StringActiveX",
                                                             "StringHelpFile",
                                                             "StringInstall",
                                                             "StringUninstall",
                                                             "StringObsolete",
                                                             "StringMuiCache",
                                                             "StringExclusionsNoFolder",
                                                             "StringNoErrorText",
                                                             "StringWindowsLanguage"};

  // The text of a key; a key that is not one of kKeys is a programming error and
  // throws std::out_of_range.
  const std::string& operator[](std::string_view key) const { return texts_[indexOf(key)]; }
  void set(std::string_view key, std::string text) { texts_[indexOf(key)] = std::move(text); }

  // How every window words a failure the system reported by a code: the system's
  // own text in the interface language (StringWindowsLanguage, the language's
  // LANGID in hexadecimal) when Windows has it, with the code after it (see
  // platform::errorText).
  std::string systemError(const platform::SystemInfo& system, std::uint32_t code) const;

 private:
  static std::size_t indexOf(std::string_view key);

  std::array<std::string, kKeys.size()> texts_;
};

}  // namespace velmora::app

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "registry/path_presence.h"
#include "registry/problem_categories.h"
#include "registry/registry_object.h"

namespace velmora::registry {

// Everything the scan does to the window, in the order it does it. Called on the
// scanning thread; the implementation hands the changes to the UI thread.
class ProblemScanView {
 public:
  virtual ~ProblemScanView() = default;
  // Whether the category's entry is checked; asked when the category's turn comes.
  virtual bool categoryChecked(ProblemCategory category) = 0;
  // Asked between two items: false once the scan is to stop.
  virtual bool keepGoing() = 0;
  virtual void clearResults() = 0;
  virtual void listProblem(ProblemRow row) = 0;
  // The check of a checked category is complete.
  virtual void categoryDone(ProblemCategory category) = 0;
};

// The registry scan of the Registry page: each checked category in turn, each with
// a registry object of its own, listing one row per entry that points at a file,
// folder or program that is missing for certain, or that holds nothing.
//
// The categories that read HKEY_LOCAL_MACHINE\Software and the class checks also
// examine what 32-bit programs registered, kept apart below WOW6432Node; such a
// row names the key at that place.
//
// An entry whose value holds another type than the text the check reads is passed
// over as unreadable, and the scan goes on.
class ProblemScan {
 public:
  ProblemScan(platform::RegistryStore& store, platform::FileSystem& files, platform::Drives& drives);

  void run(ProblemScanView& view);

 private:
  // Each check examines key (for the class checks, the part below a hive's
  // classes) under the registry's root.
  void sharedDlls(TRegistry& registry, const std::string& key);
  void fileExtensions(TRegistry& registry, const std::string& classes);
  void extensionsOf(TRegistry& registry, std::string_view hiveText, const std::string& classes);
  void classServers(TRegistry& registry, const std::string& key);
  void serversOf(TRegistry& registry, std::string_view hiveText, const std::string& classesKey);
  void helpFiles(TRegistry& registry, const std::string& key);
  // Whether a class server's command names a file that is missing for certain.
  bool serverIsMissing(std::string_view command);
  void installerFolders(TRegistry& registry, const std::string& key);
  void uninstallEntries(TRegistry& registry, const std::string& key);
  void emptySoftwareKeys(TRegistry& registry, const std::string& key);
  void muiCache(TRegistry& registry, const std::string& key);
  void muiCacheKey(TRegistry& registry, std::string_view key, bool namesCarrySuffix);

  // Between two items: whether to go on.
  bool next();
  void list(ProblemCategory category, std::string entry, std::string_view rootText, std::string registryKey,
            std::optional<std::string> valueName = std::nullopt);

  platform::RegistryStore& store_;
  PathPresence presence_;
  ProblemScanView* view_ = nullptr;
  bool stopped_ = false;
  // The names of the key being examined, and of one class key's subkeys or one
  // software key's values.
  std::vector<std::string> names_;
  std::vector<std::string> innerNames_;
};

}  // namespace velmora::registry

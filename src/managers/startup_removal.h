#pragma once

#include <ctime>
#include <string>

#include "managers/program_sources.h"
#include "managers/startup_list.h"
#include "platform/services.h"

namespace velmora::managers {

// Removes a log-on entry after backing it up, in the program's backups folder
// below programFolder, named for localTime; no backup, no removal. A Run value
// takes its StartupApproved value along, both in one registry backup. A
// Startup-folder file is first saved whole, with its StartupApproved value, into a
// file backup, then deleted without following a link; its StartupApproved value
// goes after it. Runs on the UI thread.
EntryRemoval removeStartupEntry(platform::Services& services, const StartupEntry& entry,
                                const std::string& programFolder, const std::tm& localTime);

}  // namespace velmora::managers

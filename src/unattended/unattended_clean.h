#pragma once

#include <string>

#include "platform/process_host.h"
#include "platform/services.h"

namespace velmora::unattended {

// A run from the command line, without a window, a tray icon or an update check:
// the Files page's scan with the categories and drives the window last
// remembered, the catalogue and the exclusion list; then, with deleteFound (/auto),
// the deletion of every file found through the page's own deletion, or, without
// it (/preview), none. The report goes to data\logs beside the program (or the
// user's local application data), begun before anything is done and written as
// the run goes, and at the end to the starter's console or output.
//
// Only one /auto runs at a time on the machine: a second one does nothing and
// ends at once with kExitCannotStart. A run never starts without the user's
// exclusions: an exclusion list that exists but cannot be read, or holds a line
// that names no folder, stops it, as do missing choices, drives that now hold
// another volume, an unreadable catalogue, a recycleDeleted value that is no
// truth value, a run as LocalSystem and a report that can be written nowhere. An
// error nothing else caught ends the run with kExitCannotStart and a report line.
// Returns the exit code.
int runUnattendedClean(bool deleteFound, platform::Services& services, platform::ProcessHost& host,
                       const std::string& exePath);

}  // namespace velmora::unattended

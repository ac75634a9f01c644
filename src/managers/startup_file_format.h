#pragma once

#include "registry/backup_files.h"

namespace velmora::managers {

// The backup of a Startup-folder file as the Restore window knows it, by its .ini
// part: the file counts as one entry, and its .reg part, when there is one, adds
// its own. Restoring puts the file back (never over one there now) and the .reg
// part as any registry backup; removing takes every part away.
registry::BackupFormat startupFileFormat();

}  // namespace velmora::managers

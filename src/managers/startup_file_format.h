#pragma once

#include "registry/backup_files.h"

namespace velmora::managers {

// The backup of a Startup-folder file as the Restore window knows it, by its .ini
// part: the file counts as one entry, and its .reg part, when there is one, adds
// its own. Only a file right inside one of the two Startup folders is put back,
// never over one there now, and the .reg part only when its file was: beside
// another program's file it would switch that one off. Removing takes every
// part away.
registry::BackupFormat startupFileFormat();

}  // namespace velmora::managers

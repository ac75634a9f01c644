#pragma once

#include <memory>

#include "platform/raw_volume.h"

namespace velmora::platform {

// Opens the volume of a drive letter ("\\.\X:") for reading; nothing when Windows
// refuses (a standard user, a missing or empty drive, a network drive).
std::unique_ptr<RawVolume> openRawVolume(char letter);

}  // namespace velmora::platform

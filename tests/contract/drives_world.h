#pragma once

#include <memory>

#include "platform/drives.h"

namespace velmora::contract {

// The drives-and-volumes service a contract case asks: the fake set up as a
// machine with a fixed, formatted drive C:, or the Win32 implementation on the
// machine (or Wine prefix) the test runs on.
std::unique_ptr<platform::Drives> makeDrives();

}  // namespace velmora::contract

#pragma once

#include "platform/process_host.h"
#include "platform/services.h"

namespace velmora::platform::win32 {

// Every service over the real Windows: the one Services the program hands its
// windows. Made on the first call and kept until the program ends; every
// implementation is safe to use from any thread.
Services& win32Services();

// The running process's command line, starter and named locks, for the command
// line's runs.
ProcessHost& win32ProcessHost();

}  // namespace velmora::platform::win32

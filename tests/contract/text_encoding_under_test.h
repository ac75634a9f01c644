#pragma once

#include <memory>

#include "platform/text_encoding.h"

namespace velmora::contract {

// The text encoding under test: the fake in the native build, the Win32
// implementation in the Windows build.
std::unique_ptr<platform::TextEncoding> makeTextEncoding();

}  // namespace velmora::contract

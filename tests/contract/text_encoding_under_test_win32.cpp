#include "platform/win32/text_encoding_win32.h"
#include "text_encoding_under_test.h"

namespace velmora::contract {

std::unique_ptr<platform::TextEncoding> makeTextEncoding() {
  return std::make_unique<platform::Win32TextEncoding>();
}

}  // namespace velmora::contract

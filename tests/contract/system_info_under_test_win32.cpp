#include "platform/win32/system_info_win32.h"
#include "system_info_under_test.h"

namespace velmora::contract {

std::unique_ptr<platform::SystemInfo> makeSystemInfo() {
  return std::make_unique<platform::Win32SystemInfo>();
}

}  // namespace velmora::contract

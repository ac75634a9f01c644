#pragma once

#include "platform/internet.h"

namespace velmora::platform {

// The Internet client with WinINet. A session and its requests may be used from any
// one thread at a time (the update check uses them on its worker).
class Win32Internet final : public Internet {
 public:
  bool connected() const override;
  std::unique_ptr<InternetSession> open(std::string_view agent) override;
};

}  // namespace velmora::platform

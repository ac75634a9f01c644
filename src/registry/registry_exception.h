#pragma once

#include <stdexcept>
#include <string>

namespace velmora::registry {

// The error of the registry object's read and write operations; its text names the
// value ("Failed to get data for 'Version'").
class ERegistryException : public std::runtime_error {
 public:
  explicit ERegistryException(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace velmora::registry

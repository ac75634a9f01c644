#pragma once

#include <string>

#include "registry/registry_exception.h"

namespace velmora::registry {

// The text of the ERegistryException that action throws, or "no error".
template <typename Action>
std::string errorText(Action action) {
  try {
    action();
  } catch (const ERegistryException& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace velmora::registry

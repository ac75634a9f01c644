#include "registry/registry_path_functions.h"

#include <optional>

namespace velmora::registry {

using platform::RegistryStore;

namespace {

// A registry object rooted and opened for one path, or nothing when the path's root
// is not recognised. Whether the key opened is left for the caller to ask.
class PathAccess {
 public:
  PathAccess(RegistryStore& store, std::string_view path, bool create)
      : registry_(store), value_(RegValueName(path)) {
    registry_.SetRoot(RegGetRoot(path));
    opened_ = registry_.Open(RegKeyPath(path), create);
  }

  TRegistry& registry() { return registry_; }
  const std::string& value() const { return value_; }
  bool opened() const { return opened_; }

 private:
  TRegistry registry_;
  std::string value_;
  bool opened_ = false;
};

std::optional<PathAccess> access(RegistryStore& store, std::string_view path, bool create) {
  if (RegGetRoot(path) == platform::RegKey{}) return std::nullopt;
  return std::optional<PathAccess>(std::in_place, store, path, create);
}

// Runs a write; a registry error, also the one of writing with no key open, is false.
template <typename Write>
bool written(RegistryStore& store, std::string_view path, Write write) {
  auto target = access(store, path, true);
  if (!target) return false;
  try {
    write(target->registry(), target->value());
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}

}  // namespace

std::string RegReadString(RegistryStore& store, std::string_view path, const std::string& defaultText) {
  auto target = access(store, path, false);
  if (!target) return defaultText;
  try {
    if (target->registry().HasValue(target->value())) return target->registry().ReadText(target->value());
  } catch (const ERegistryException&) {
  }
  return defaultText;
}

bool RegValueExists(RegistryStore& store, std::string_view path) {
  auto target = access(store, path, false);
  return target && target->opened() && target->registry().HasValue(target->value());
}

bool RegDeleteValue(RegistryStore& store, std::string_view path) {
  auto target = access(store, path, false);
  return target && target->opened() && target->registry().RemoveValue(target->value());
}

bool RegWriteString(RegistryStore& store, std::string_view path, const std::string& text) {
  return written(store, path,
                 [&text](TRegistry& registry, const std::string& name) { registry.WriteText(name, text); });
}

bool RegWriteInt(RegistryStore& store, std::string_view path, std::int32_t number) {
  return written(store, path, [number](TRegistry& registry, const std::string& name) {
    registry.WriteNumber(name, number);
  });
}

bool RegWriteBool(RegistryStore& store, std::string_view path, bool flag) {
  return RegWriteInt(store, path, flag ? 1 : 0);
}

std::int64_t RegReadInt(RegistryStore& store, std::string_view path, std::int64_t defaultNumber) {
  auto target = access(store, path, false);
  if (!target) return defaultNumber;
  try {
    if (target->registry().HasValue(target->value())) return target->registry().ReadNumber(target->value());
  } catch (const ERegistryException&) {
  }
  return defaultNumber;
}

bool RegReadBool(RegistryStore& store, std::string_view path, bool defaultFlag) {
  auto target = access(store, path, false);
  if (!target) return defaultFlag;
  try {
    if (target->registry().HasValue(target->value()))
      return target->registry().ReadNumber(target->value()) != 0;
  } catch (const ERegistryException&) {
  }
  return defaultFlag;
}

bool RegGetKeyNames(RegistryStore& store, std::string_view path, std::vector<std::string>& list) {
  auto target = access(store, path, false);
  if (!target) return false;
  target->registry().ListSubkeys(list);
  return true;
}

bool RegGetValueNames(RegistryStore& store, std::string_view path, std::vector<std::string>& list) {
  auto target = access(store, path, false);
  if (!target) return false;
  target->registry().ListValues(list);
  return true;
}

RegValueKind RegGetDataType(RegistryStore& store, std::string_view path) {
  auto target = access(store, path, false);
  if (!target) return RegValueKind::Unknown;
  return target->registry().ValueKind(target->value());
}

}  // namespace velmora::registry

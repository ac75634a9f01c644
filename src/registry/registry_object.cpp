#include "registry/registry_object.h"

#include <limits>

namespace velmora::registry {

using namespace platform;

namespace {

[[noreturn]] void fail(const char* what, const std::string& name) {
  throw ERegistryException(std::string(what) + " for '" + name + "'");
}

}  // namespace

TRegistry::TRegistry(RegistryStore& store) : store_(store) {}

TRegistry::~TRegistry() { Close(); }

void TRegistry::SetRoot(RegKey root) {
  if (root == root_) return;
  Close();
  root_ = root;
}

RegKey TRegistry::baseFor(std::string& path) const {
  const bool fromRoot = !path.empty() && path.front() == '\\';
  if (IsOpen() && !fromRoot) return current_;
  if (fromRoot) path.erase(0, 1);
  return root_;
}

void TRegistry::replaceOpenKey(RegKey key) {
  Close();
  current_ = key;
}

bool TRegistry::Open(const std::string& path, bool create) {
  std::string subKey = path;
  const RegKey base = baseFor(subKey);
  RegKey opened{};
  const RegSam access = access_ | view_;
  const RegStatus status = !create || subKey.empty() ? store_.openKey(base, subKey, access, opened)
                                                     : store_.createKey(base, subKey, REG_OPTION_NON_VOLATILE,
                                                                        access, opened, nullptr);
  if (status != ERROR_SUCCESS) return false;
  replaceOpenKey(opened);
  return true;
}

bool TRegistry::OpenForRead(const std::string& path) {
  std::string subKey = path;
  const RegKey base = baseFor(subKey);
  RegKey opened{};
  if (store_.openKey(base, subKey, KEY_READ | view_, opened) != ERROR_SUCCESS) return false;
  replaceOpenKey(opened);
  access_ = KEY_READ;
  return true;
}

void TRegistry::Close() {
  if (!IsOpen()) return;
  // A store may hand back a predefined root for an empty path (Wine does); roots are
  // never closed.
  if (!isPredefinedKey(current_)) store_.closeKey(current_);
  current_ = RegKey{};
}

bool TRegistry::HasKey(const std::string& path) const {
  std::string subKey = path;
  const RegKey base = baseFor(subKey);
  RegKey opened{};
  if (store_.openKey(base, subKey, access_ | view_, opened) != ERROR_SUCCESS) return false;
  if (!isPredefinedKey(opened)) store_.closeKey(opened);
  return true;
}

bool TRegistry::HasValue(const std::string& name) const {
  if (!IsOpen()) return false;
  RegType type = REG_NONE;
  std::uint32_t size = 0;
  return store_.queryValue(current_, name, &type, nullptr, &size) == ERROR_SUCCESS;
}

RegValueKind TRegistry::ValueKind(const std::string& name) const {
  if (!IsOpen()) return RegValueKind::Unknown;
  RegType type = REG_NONE;
  std::uint32_t size = 0;
  if (store_.queryValue(current_, name, &type, nullptr, &size) != ERROR_SUCCESS) return RegValueKind::Unknown;
  switch (type) {
    case REG_SZ:
      return RegValueKind::Text;
    case REG_EXPAND_SZ:
      return RegValueKind::ExpandText;
    case REG_DWORD:
      return RegValueKind::Number;
    case REG_BINARY:
      return RegValueKind::Binary;
    default:
      return RegValueKind::Unknown;
  }
}

std::string TRegistry::ReadText(const std::string& name) const {
  if (!IsOpen()) return {};
  RegType type = REG_NONE;
  std::uint32_t size = 0;
  if (store_.queryValue(current_, name, &type, nullptr, &size) != ERROR_SUCCESS || size == 0) return {};
  std::string text(size, '\0');
  if (store_.queryValue(current_, name, &type, reinterpret_cast<std::uint8_t*>(text.data()), &size) !=
      ERROR_SUCCESS)
    fail("Failed to get data", name);
  if (type != REG_SZ && type != REG_EXPAND_SZ) fail("Invalid data type", name);
  text.resize(size);
  if (const auto end = text.find('\0'); end != std::string::npos) text.resize(end);
  return text;
}

std::int32_t TRegistry::ReadNumber(const std::string& name) const {
  // A REG_DWORD stored with fewer than 4 bytes reads as its bytes padded with zeros.
  std::uint8_t bytes[4] = {};
  std::uint32_t size = sizeof bytes;
  RegType type = REG_NONE;
  if (!IsOpen() || store_.queryValue(current_, name, &type, bytes, &size) != ERROR_SUCCESS)
    fail("Failed to get data", name);
  if (type != REG_DWORD) fail("Invalid data type", name);
  const std::uint32_t number =
      bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  return static_cast<std::int32_t>(number);
}

void TRegistry::WriteText(const std::string& name, const std::string& text) {
  if (!IsOpen() || text.size() >= std::numeric_limits<std::uint32_t>::max()) fail("Failed to set data", name);
  // The bytes of text.c_str() include its terminating NUL.
  const auto size = static_cast<std::uint32_t>(text.size() + 1);
  if (store_.setValue(current_, name, REG_SZ, reinterpret_cast<const std::uint8_t*>(text.c_str()), size) !=
      ERROR_SUCCESS)
    fail("Failed to set data", name);
}

void TRegistry::WriteNumber(const std::string& name, std::int32_t number) {
  const auto value = static_cast<std::uint32_t>(number);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16),
                                 static_cast<std::uint8_t>(value >> 24)};
  if (!IsOpen() || store_.setValue(current_, name, REG_DWORD, bytes, sizeof bytes) != ERROR_SUCCESS)
    fail("Failed to set data", name);
}

void TRegistry::ListSubkeys(std::vector<std::string>& list) const {
  list.clear();
  std::uint32_t count = 0;
  if (!IsOpen() || store_.queryInfoKey(current_, &count, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return;
  std::string name;
  for (std::uint32_t i = 0; i < count; ++i) {
    const RegStatus status = store_.enumKey(current_, i, name);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) list.push_back(name);
  }
}

void TRegistry::ListValues(std::vector<std::string>& list) const {
  list.clear();
  std::uint32_t count = 0;
  if (!IsOpen() || store_.queryInfoKey(current_, nullptr, nullptr, &count, nullptr) != ERROR_SUCCESS) return;
  std::string name;
  for (std::uint32_t i = 0; i < count; ++i) {
    const RegStatus status = store_.enumValue(current_, i, name, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) list.push_back(name);
  }
}

bool TRegistry::KeyCounts(std::uint32_t& subkeys, std::uint32_t& values) const {
  return IsOpen() && store_.queryInfoKey(current_, &subkeys, nullptr, &values, nullptr) == ERROR_SUCCESS;
}

namespace {

// Windows keeps registry trees at most 512 levels deep. A removal that goes deeper
// has been led round in a circle (a subkey name that reopens its own parent), and
// stops there rather than run out of stack.
constexpr int kMaxKeyDepth = 512;

}  // namespace

bool TRegistry::RemoveKeyTree(const std::string& path) {
  std::string subKey = path;
  const RegKey base = baseFor(subKey);
  return removeTree(base, subKey, 0);
}

bool TRegistry::removeTree(RegKey base, const std::string& path, int depth) {
  // An empty path names the base itself: the open key, or the whole root. Nothing in
  // the program means to remove that, and one empty name must not wipe a hive.
  if (path.empty() || depth > kMaxKeyDepth) return false;
  RegKey key{};
  if (store_.openKey(base, path, access_ | view_, key) == ERROR_SUCCESS) {
    // From the highest index down, so that removing a subkey never moves one that is
    // still to be visited; a subkey that can't be removed, or whose name the store
    // will not hand out, is passed over.
    std::uint32_t count = 0;
    if (store_.queryInfoKey(key, &count, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      std::string name;
      for (std::uint32_t i = count; i-- > 0;) {
        if (store_.enumKey(key, i, name) == ERROR_SUCCESS) removeTree(key, name, depth + 1);
      }
    }
    if (!isPredefinedKey(key)) store_.closeKey(key);
  }
  // Also tried when the key could not be opened: the store decides.
  return store_.deleteKeyEx(base, path, view_) == ERROR_SUCCESS;
}

bool TRegistry::RemoveValue(const std::string& name) {
  return IsOpen() && store_.deleteValue(current_, name) == ERROR_SUCCESS;
}

}  // namespace velmora::registry

#include "fakes/fake_registry_store.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry_view.h"
#include "platform/utf8.h"

namespace velmora::fakes {

using namespace platform;

namespace {

// The rights a key that refuses full access still grants, and the flags of an access
// mask that choose a registry view rather than ask for a right.
constexpr RegSam kReadRights = KEY_READ;
constexpr RegSam kViewFlags = 0x0300;

// The lower-case form of one UTF-16 code unit, as the registry compares names: unit
// by unit, by simple one-to-one case mapping. This table covers the Latin, Greek,
// Cyrillic and Armenian alphabets and the full-width Latin letters; other letters
// are left as they are.
char16_t lowerUnit(char16_t c) {
  const auto evenUpper = [c](char16_t first, char16_t last) { return c >= first && c <= last && c % 2 == 0; };
  const auto oddUpper = [c](char16_t first, char16_t last) { return c >= first && c <= last && c % 2 == 1; };
  if (c >= u'A' && c <= u'Z') return c + 32;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 32;
  if (c == 0x130) return u'i';
  if (evenUpper(0x100, 0x137) || oddUpper(0x139, 0x148) || evenUpper(0x14A, 0x177) || oddUpper(0x179, 0x17E))
    return c + 1;
  if (c == 0x178) return 0xFF;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c == 0x4C0) return 0x4CF;
  if (evenUpper(0x460, 0x481) || evenUpper(0x48A, 0x4BF) || oddUpper(0x4C1, 0x4CE) || evenUpper(0x4D0, 0x52F))
    return c + 1;
  if (c >= 0x531 && c <= 0x556) return c + 48;
  if (c == 0x1E9E) return 0xDF;
  if (evenUpper(0x1E00, 0x1E95) || evenUpper(0x1EA0, 0x1EFF)) return c + 1;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;
  return c;
}

// The form in which names are compared and ordered.
std::u16string nameKey(std::string_view name) {
  // Bytes that are not UTF-8 become U+FFFD, as they do on their way to Windows.
  std::u16string key = utf8::toUtf16(utf8::repaired(name)).value_or(std::u16string());
  for (char16_t& c : key) c = lowerUnit(c);
  return key;
}

// The levels of a backslash-separated key path, empty levels passed over.
std::vector<std::string> levels(const std::string& path) {
  std::vector<std::string> result;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) result.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return result;
}

// Both key and value collections are kept sorted by nameKey, which is the order
// they enumerate in; find gives the position of a name or where it would go.
template <typename Item>
typename std::vector<Item>::iterator findSorted(std::vector<Item>& items, const std::u16string& key) {
  return std::lower_bound(items.begin(), items.end(), key,
                          [](const Item& item, const std::u16string& k) { return item.key < k; });
}

bool contains(RegSam granted, RegSam wanted) { return (granted & wanted) == wanted; }

bool isStringType(RegType type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// String data as the registry holds it, UTF-16LE, from the program's UTF-8: bytes
// that are not UTF-8 become U+FFFD, as they do on their way to Windows, and a
// terminating NUL is added when the text lacks one, as RegSetValueEx does.
std::vector<std::uint8_t> storedString(std::string_view utf8) {
  std::u16string units = utf8::toUtf16Shown(utf8);
  if (!units.empty() && units.back() != u'\0') units += u'\0';
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : units) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

// Stored string data as the program reads it, UTF-8, as the Win32 store converts
// it: an odd last byte is dropped and an unpaired surrogate becomes U+FFFD.
std::string readString(const std::vector<std::uint8_t>& bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
  return utf8::fromUtf16Lossy(units);
}

// Whether a name or path holds a NUL, which the Win32 calls would take as its end.
bool holdsNul(std::string_view name) { return name.find('\0') != std::string_view::npos; }

}  // namespace

struct FakeRegistryStore::Node {
  struct Child {
    std::u16string key;
    std::shared_ptr<Node> node;
  };
  struct Value {
    std::u16string key;
    std::string name;
    RegType type;
    std::vector<std::uint8_t> data;
  };

  std::string name;
  Node* parent = nullptr;
  bool isRoot = false;
  bool deleted = false;
  bool refusesFullAccess = false;
  std::vector<Child> children;
  std::vector<Value> values;

  std::shared_ptr<Node> child(const std::string& childName) {
    const std::u16string key = nameKey(childName);
    auto it = findSorted(children, key);
    return it != children.end() && it->key == key ? it->node : nullptr;
  }

  Value* value(const std::string& valueName) {
    const std::u16string key = nameKey(valueName);
    auto it = findSorted(values, key);
    return it != values.end() && it->key == key ? &*it : nullptr;
  }
};

FakeRegistryStore::FakeRegistryStore() {
  static constexpr const char* kRootNames[] = {
      "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
      "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};
  for (std::size_t i = 0; i < roots_.size(); ++i) {
    roots_[i] = std::make_shared<Node>();
    roots_[i]->name = kRootNames[i];
    roots_[i]->isRoot = true;
  }
  // HKEY_CLASSES_ROOT shows the machine's classes, where a key written through it
  // goes, as Windows writes it; the current user's classes lie at their own place,
  // HKEY_CURRENT_USER\Software\Classes. A Wine prefix does not merge that place
  // into the view, and neither does this store: a per-user class is reached at
  // its real place only.
  RegKey classes{};
  createKey(HKEY_LOCAL_MACHINE, "Software\\Classes", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, classes,
            nullptr);
  roots_[0] = handles_.at(static_cast<std::uint64_t>(classes)).node;
  closeKey(classes);
  calls_ = 0;
}

FakeRegistryStore::~FakeRegistryStore() = default;

std::size_t FakeRegistryStore::openHandleCount() const {
  const std::lock_guard lock(mutex_);
  return handles_.size();
}

std::size_t FakeRegistryStore::callCount() const {
  const std::lock_guard lock(mutex_);
  return calls_;
}

RegStatus FakeRegistryStore::resolve(RegKey key, Handle& handle) const {
  if (isPredefinedKey(key)) {
    handle = {roots_[static_cast<std::uint64_t>(key) - 0x80000000], KEY_ALL_ACCESS};
    return ERROR_SUCCESS;
  }
  auto it = handles_.find(static_cast<std::uint64_t>(key));
  if (it == handles_.end()) return ERROR_INVALID_HANDLE;
  if (it->second.node->deleted) return ERROR_KEY_DELETED;
  handle = it->second;
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::walk(const std::shared_ptr<Node>& base, const std::string& subKey,
                                  std::shared_ptr<Node>& found) const {
  if (!subKey.empty() && subKey.front() == '\\') return ERROR_BAD_PATHNAME;
  std::shared_ptr<Node> node = base;
  for (const std::string& level : levels(subKey)) {
    node = node->child(level);
    if (!node) return ERROR_FILE_NOT_FOUND;
  }
  found = std::move(node);
  return ERROR_SUCCESS;
}

RegKey FakeRegistryStore::addHandle(std::shared_ptr<Node> node, RegSam access) {
  const std::uint64_t id = nextHandle_;
  nextHandle_ += 4;
  handles_[id] = {std::move(node), access & ~kViewFlags};
  return RegKey{id};
}

RegStatus FakeRegistryStore::openKey(RegKey key, const std::string& subKey, RegSam access, RegKey& result) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  if (holdsNul(subKey)) return ERROR_INVALID_NAME;
  Handle base;
  if (RegStatus status = resolve(key, base); status != ERROR_SUCCESS) return status;
  std::shared_ptr<Node> target;
  if (RegStatus status = walk(base.node, pathInView(key, subKey, access), target); status != ERROR_SUCCESS)
    return status;
  if (target->refusesFullAccess && !contains(kReadRights, access & ~kViewFlags)) return ERROR_ACCESS_DENIED;
  result = addHandle(std::move(target), access);
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::createKey(RegKey key, const std::string& subKey, std::uint32_t /*options*/,
                                       RegSam access, RegKey& result, std::uint32_t* disposition) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  if (holdsNul(subKey)) return ERROR_INVALID_NAME;
  Handle base;
  if (RegStatus status = resolve(key, base); status != ERROR_SUCCESS) return status;
  if (!subKey.empty() && subKey.front() == '\\') return ERROR_BAD_PATHNAME;
  std::shared_ptr<Node> node = base.node;
  bool created = false;
  for (const std::string& level : levels(pathInView(key, subKey, access))) {
    std::shared_ptr<Node> next = node->child(level);
    if (!next) {
      if (node->refusesFullAccess) return ERROR_ACCESS_DENIED;
      next = std::make_shared<Node>();
      next->name = level;
      next->parent = node.get();
      const std::u16string childKey = nameKey(level);
      node->children.insert(findSorted(node->children, childKey), {childKey, next});
      created = true;
    }
    node = std::move(next);
  }
  if (node->refusesFullAccess && !contains(kReadRights, access & ~kViewFlags)) return ERROR_ACCESS_DENIED;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  result = addHandle(std::move(node), access);
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::closeKey(RegKey key) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  if (isPredefinedKey(key)) return ERROR_SUCCESS;
  return handles_.erase(static_cast<std::uint64_t>(key)) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

RegStatus FakeRegistryStore::valueHandle(RegKey key, const std::string& name, RegSam right,
                                         Handle& handle) const {
  if (holdsNul(name)) return ERROR_INVALID_NAME;
  if (RegStatus status = resolve(key, handle); status != ERROR_SUCCESS) return status;
  return contains(handle.access, right) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

RegStatus FakeRegistryStore::queryValue(RegKey key, const std::string& name, RegType* type,
                                        std::uint8_t* data, std::uint32_t* size) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  Handle handle;
  if (RegStatus status = valueHandle(key, name, KEY_QUERY_VALUE, handle); status != ERROR_SUCCESS)
    return status;
  if (data && !size) return ERROR_INVALID_PARAMETER;
  const Node::Value* value = handle.node->value(name);
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  const std::string converted = isStringType(value->type) ? readString(value->data) : std::string();
  const auto* held = isStringType(value->type) ? reinterpret_cast<const std::uint8_t*>(converted.data())
                                               : value->data.data();
  const auto length =
      static_cast<std::uint32_t>(isStringType(value->type) ? converted.size() : value->data.size());
  if (data) {
    if (*size < length) {
      *size = length;
      return ERROR_MORE_DATA;
    }
    if (length > 0) std::memcpy(data, held, length);
  }
  if (size) *size = length;
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::setValue(RegKey key, const std::string& name, RegType type,
                                      const std::uint8_t* data, std::uint32_t size) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  Handle handle;
  if (RegStatus status = valueHandle(key, name, KEY_SET_VALUE, handle); status != ERROR_SUCCESS)
    return status;
  if (!data && size > 0) return ERROR_NOACCESS;
  const std::string_view given(reinterpret_cast<const char*>(data), size);
  store(*handle.node, name, type,
        isStringType(type) ? storedString(given) : std::vector<std::uint8_t>(given.begin(), given.end()));
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::queryValueBytes(RegKey key, const std::string& name, RegType& type,
                                             std::string& bytes) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  Handle handle;
  if (RegStatus status = valueHandle(key, name, KEY_QUERY_VALUE, handle); status != ERROR_SUCCESS)
    return status;
  const Node::Value* value = handle.node->value(name);
  if (!value) return ERROR_FILE_NOT_FOUND;
  type = value->type;
  bytes.assign(value->data.begin(), value->data.end());
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::setValueBytes(RegKey key, const std::string& name, RegType type,
                                           std::string_view bytes) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  Handle handle;
  if (RegStatus status = valueHandle(key, name, KEY_SET_VALUE, handle); status != ERROR_SUCCESS)
    return status;
  store(*handle.node, name, type, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return ERROR_SUCCESS;
}

void FakeRegistryStore::store(Node& node, const std::string& name, RegType type,
                              std::vector<std::uint8_t> bytes) {
  if (Node::Value* existing = node.value(name)) {
    existing->type = type;
    existing->data = std::move(bytes);
    return;
  }
  const std::u16string valueKey = nameKey(name);
  node.values.insert(findSorted(node.values, valueKey), {valueKey, name, type, std::move(bytes)});
}

RegStatus FakeRegistryStore::deleteValue(RegKey key, const std::string& name) {
  if (deleteHook_) deleteHook_();
  const std::lock_guard lock(mutex_);
  ++calls_;
  if (holdsNul(name)) return ERROR_INVALID_NAME;
  Handle handle;
  if (RegStatus status = resolve(key, handle); status != ERROR_SUCCESS) return status;
  if (!contains(handle.access, KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  auto& values = handle.node->values;
  const std::u16string valueKey = nameKey(name);
  auto it = findSorted(values, valueKey);
  if (it == values.end() || it->key != valueKey) return ERROR_FILE_NOT_FOUND;
  values.erase(it);
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::deleteKey(RegKey key, const std::string& subKey) {
  return deleteKeyEx(key, subKey, 0);
}

RegStatus FakeRegistryStore::deleteKeyEx(RegKey key, const std::string& subKey, RegSam samDesired) {
  if (deleteHook_) deleteHook_();
  const std::lock_guard lock(mutex_);
  ++calls_;
  if (holdsNul(subKey)) return ERROR_INVALID_NAME;
  // The rights of the handle the path starts from play no part: deletion asks for the
  // right to delete the target key itself.
  Handle base;
  if (RegStatus status = resolve(key, base); status != ERROR_SUCCESS) return status;
  std::shared_ptr<Node> target;
  if (RegStatus status = walk(base.node, pathInView(key, subKey, samDesired), target);
      status != ERROR_SUCCESS)
    return status;
  if (target->isRoot || target == roots_[0] || target->refusesFullAccess || !target->children.empty())
    return ERROR_ACCESS_DENIED;
  auto& siblings = target->parent->children;
  siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                              [&target](const Node::Child& child) { return child.node == target; }));
  target->parent = nullptr;
  target->deleted = true;
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::enumKey(RegKey key, std::uint32_t index, std::string& name) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  Handle handle;
  if (RegStatus status = resolve(key, handle); status != ERROR_SUCCESS) return status;
  if (!contains(handle.access, KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
  if (index >= handle.node->children.size()) return ERROR_NO_MORE_ITEMS;
  const std::string& childName = handle.node->children[index].node->name;
  if (holdsNul(childName)) return ERROR_INVALID_NAME;
  name = childName;
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::enumValue(RegKey key, std::uint32_t index, std::string& name, RegType* type) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  Handle handle;
  if (RegStatus status = resolve(key, handle); status != ERROR_SUCCESS) return status;
  if (!contains(handle.access, KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  if (index >= handle.node->values.size()) return ERROR_NO_MORE_ITEMS;
  const Node::Value& value = handle.node->values[index];
  if (holdsNul(value.name)) return ERROR_INVALID_NAME;
  name = value.name;
  if (type) *type = value.type;
  return ERROR_SUCCESS;
}

RegStatus FakeRegistryStore::queryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLength,
                                          std::uint32_t* values, std::uint32_t* maxValueNameLength) {
  const std::lock_guard lock(mutex_);
  ++calls_;
  Handle handle;
  if (RegStatus status = resolve(key, handle); status != ERROR_SUCCESS) return status;
  // Windows asks for the right to query values here; Wine does not check it.
  if (!contains(handle.access, KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  const Node& node = *handle.node;
  if (subKeys) *subKeys = static_cast<std::uint32_t>(node.children.size());
  if (values) *values = static_cast<std::uint32_t>(node.values.size());
  if (maxSubKeyLength) {
    std::size_t longest = 0;
    for (const auto& child : node.children)
      if (!holdsNul(child.node->name)) longest = std::max(longest, child.node->name.size());
    *maxSubKeyLength = static_cast<std::uint32_t>(longest);
  }
  if (maxValueNameLength) {
    std::size_t longest = 0;
    for (const auto& value : node.values)
      if (!holdsNul(value.name)) longest = std::max(longest, value.name.size());
    *maxValueNameLength = static_cast<std::uint32_t>(longest);
  }
  return ERROR_SUCCESS;
}

bool FakeRegistryStore::refuseFullAccess(RegKey key, const std::string& subKey) {
  const std::lock_guard lock(mutex_);
  Handle base;
  std::shared_ptr<Node> target;
  if (resolve(key, base) != ERROR_SUCCESS || walk(base.node, subKey, target) != ERROR_SUCCESS) return false;
  target->refusesFullAccess = true;
  return true;
}

bool FakeRegistryStore::plantNameWithNul(RegKey key, const std::string& subKey, const std::string& name,
                                         bool asValue) {
  const std::lock_guard lock(mutex_);
  Handle base;
  std::shared_ptr<Node> target;
  if (resolve(key, base) != ERROR_SUCCESS || walk(base.node, subKey, target) != ERROR_SUCCESS) return false;
  const std::u16string entryKey = nameKey(name);
  if (asValue) {
    target->values.insert(findSorted(target->values, entryKey),
                          {entryKey, name, REG_SZ, storedString("hidden")});
  } else {
    auto child = std::make_shared<Node>();
    child->name = name;
    child->parent = target.get();
    target->children.insert(findSorted(target->children, entryKey), {entryKey, child});
  }
  return true;
}

}  // namespace velmora::fakes

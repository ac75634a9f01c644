#include "registry/reg_file_export.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/utf8.h"

namespace velmora::registry {

using namespace platform;

namespace {

// A key opened for reading, closed when it goes.
class ReadKey {
 public:
  ReadKey(RegistryStore& store, RegKey root, const std::string& path) : store_(store) {
    if (store.openKey(root, path, KEY_READ, key_) != ERROR_SUCCESS) key_ = RegKey{};
  }
  ~ReadKey() {
    if (key_ != RegKey{} && !isPredefinedKey(key_)) store_.closeKey(key_);
  }
  ReadKey(const ReadKey&) = delete;
  ReadKey& operator=(const ReadKey&) = delete;

  bool opened() const { return key_ != RegKey{}; }
  RegKey get() const { return key_; }

 private:
  RegistryStore& store_;
  RegKey key_{};
};

struct ValueData {
  RegType type = REG_NONE;
  std::string bytes;  // As the registry holds them; string data in UTF-16LE.
};

std::optional<ValueData> readValue(RegistryStore& store, RegKey key, const std::string& name) {
  ValueData value;
  if (store.queryValueBytes(key, name, value.type, value.bytes) != ERROR_SUCCESS) return std::nullopt;
  return value;
}

// A name or text between quotes, with the two characters the editor escapes.
std::string quoted(std::string_view text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') result += '\\';
    result += c;
  }
  return result + '"';
}

bool breaksLine(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// The registry editor's hexadecimal form: "xx," per byte, and a line broken with
// a backslash and continued two blanks in before it grows past 80 characters.
void appendHex(std::string& out, std::size_t column, std::string_view bytes) {
  char digits[3];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
    out += digits;
    if (i + 1 == bytes.size()) break;
    out += ',';
    column += 3;
    if (column >= 77) {
      out += "\\\r\n  ";
      column = 2;
    }
  }
}

// The bytes the registry holds for string data: UTF-16 little-endian.
std::optional<std::string> utf16Bytes(std::string_view utf8Text) {
  const std::optional<std::u16string> units = utf8::toUtf16(utf8Text);
  if (!units) return std::nullopt;
  std::string bytes;
  bytes.reserve(units->size() * 2);
  for (char16_t unit : *units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// The text of REG_SZ data that quotes reproduce exactly: whole UTF-16 text with
// one terminating NUL and no other, and no line break. Anything else (an odd byte
// count, an unpaired surrogate, a missing or second NUL) goes out as bytes.
std::optional<std::string> quotableText(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string units;
  for (std::size_t i = 0; i < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
  if (units.empty() || units.back() != u'\0') return std::nullopt;
  units.pop_back();
  if (units.find(u'\0') != std::u16string::npos) return std::nullopt;
  std::optional<std::string> text = utf8::fromUtf16(units);
  if (!text || breaksLine(*text)) return std::nullopt;
  return text;
}

// One "name"=data line (with its line end); nothing when it could not be
// written so that it reads back the same.
std::optional<std::string> valueLine(std::string_view name, const ValueData& value) {
  if (breaksLine(name) || !utf8::isValid(name)) return std::nullopt;
  std::string line = name.empty() ? "@=" : quoted(name) + "=";
  const std::string_view data = value.bytes;
  std::optional<std::string> text;
  if (value.type == REG_SZ) text = quotableText(data);
  if (text) {
    line += quoted(*text);
  } else if (value.type == REG_DWORD && data.size() == 4) {
    char digits[9];
    const auto byte = [&data](int i) {
      return static_cast<std::uint32_t>(static_cast<unsigned char>(data[i]));
    };
    std::snprintf(digits, sizeof digits, "%08x", byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
    line += "dword:";
    line += digits;
  } else {
    char kind[24];
    if (value.type == REG_BINARY)
      std::snprintf(kind, sizeof kind, "hex:");
    else
      std::snprintf(kind, sizeof kind, "hex(%x):", static_cast<unsigned>(value.type));
    line += kind;
    appendHex(line, line.size(), data);
  }
  return line + "\r\n";
}

std::string trimmedKeyPath(std::string_view path) {
  while (path.ends_with('\\')) path.remove_suffix(1);
  return std::string(path);
}

// "[HKEY_...\path]" and its line end; nothing when the path cannot be written.
std::optional<std::string> sectionLine(RegKey root, std::string_view path) {
  const std::string_view rootName = regFileRootName(root);
  if (rootName.empty() || path.empty() || breaksLine(path) || !utf8::isValid(path)) return std::nullopt;
  std::string line = "[";
  line.append(rootName).append("\\").append(path).append("]\r\n");
  return line;
}

}  // namespace

std::string_view regFileRootName(RegKey root) {
  if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (root == HKEY_USERS) return "HKEY_USERS";
  if (root == HKEY_CURRENT_CONFIG) return "HKEY_CURRENT_CONFIG";
  return {};
}

bool RegFileExport::addValue(RegKey root, std::string_view keyPath, std::string_view valueName) {
  const std::string path = trimmedKeyPath(keyPath);
  const std::optional<std::string> section = sectionLine(root, path);
  if (!section) return false;
  ReadKey key(store_, root, path);
  if (!key.opened()) return false;
  const std::optional<ValueData> value = readValue(store_, key.get(), std::string(valueName));
  if (!value) return false;
  const std::optional<std::string> line = valueLine(valueName, *value);
  if (!line) return false;
  text_ += *section + *line + "\r\n";
  return true;
}

bool RegFileExport::addKeyTree(RegKey root, std::string_view keyPath) {
  std::string sections;
  // Depth first, each key before the keys below it, with an explicit stack: a
  // registry tree may be hundreds of levels deep.
  std::vector<std::string> pending{trimmedKeyPath(keyPath)};
  std::vector<std::string> subkeys;
  while (!pending.empty()) {
    const std::string path = std::move(pending.back());
    pending.pop_back();
    std::optional<std::string> section = sectionLine(root, path);
    if (!section) return false;
    ReadKey key(store_, root, path);
    if (!key.opened()) return false;
    sections += *section;
    std::string name;
    RegStatus status;
    for (std::uint32_t i = 0; (status = store_.enumValue(key.get(), i, name, nullptr)) == ERROR_SUCCESS;
         ++i) {
      const std::optional<ValueData> value = readValue(store_, key.get(), name);
      if (!value) return false;
      const std::optional<std::string> line = valueLine(name, *value);
      if (!line) return false;
      sections += *line;
    }
    if (status != ERROR_NO_MORE_ITEMS) return false;
    sections += "\r\n";
    subkeys.clear();
    for (std::uint32_t i = 0; (status = store_.enumKey(key.get(), i, name)) == ERROR_SUCCESS; ++i)
      subkeys.push_back(name);
    if (status != ERROR_NO_MORE_ITEMS) return false;
    for (auto it = subkeys.rbegin(); it != subkeys.rend(); ++it) pending.push_back(path + "\\" + *it);
  }
  text_ += sections;
  return true;
}

std::string RegFileExport::fileBytes(std::string_view comment) const {
  // Everything added is valid UTF-8: each addition was checked.
  std::string text = "Windows Registry Editor Version 5.00\r\n";
  if (!comment.empty() && !breaksLine(comment) && utf8::isValid(comment))
    text.append("; ").append(comment).append("\r\n");
  text += "\r\n" + text_;
  return "\xFF\xFE" + utf16Bytes(text).value_or(std::string());
}

}  // namespace velmora::registry

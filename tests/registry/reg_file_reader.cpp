#include "reg_file_reader.h"

#include <algorithm>
#include <cctype>

#include "platform/utf8.h"

namespace velmora::test_support {

using namespace platform;

namespace {

std::optional<RegKey> rootNamed(std::string_view name) {
  if (name == "HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
  if (name == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  if (name == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  if (name == "HKEY_USERS") return HKEY_USERS;
  if (name == "HKEY_CURRENT_CONFIG") return HKEY_CURRENT_CONFIG;
  return std::nullopt;
}

// The text between quotes at the start of text, unescaped; rest is what follows.
std::optional<std::string> unquote(std::string_view text, std::string_view& rest) {
  if (!text.starts_with('"')) return std::nullopt;
  std::string result;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      result += text[++i];
    } else if (text[i] == '"') {
      rest = text.substr(i + 1);
      return result;
    } else {
      result += text[i];
    }
  }
  return std::nullopt;
}

std::optional<std::string> hexBytes(std::string_view text) {
  std::string bytes;
  std::string digits;
  for (char c : text) {
    if (c == ',' || c == ' ' || c == '\\') {
      if (!digits.empty()) {
        bytes += static_cast<char>(std::stoi(digits, nullptr, 16));
        digits.clear();
      }
    } else if (std::isxdigit(static_cast<unsigned char>(c))) {
      digits += c;
    } else {
      return std::nullopt;
    }
  }
  if (!digits.empty()) bytes += static_cast<char>(std::stoi(digits, nullptr, 16));
  return bytes;
}

bool isStringType(RegType type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

std::optional<std::string> fromUtf16Bytes(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string units;
  for (std::size_t i = 0; i < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
  return utf8::fromUtf16(units);
}

// "name"=data or @=data into value; false when the line is not one.
bool readValueLine(std::string_view line, RegFileValue& value) {
  std::string_view rest;
  if (line.starts_with("@=")) {
    value.name.clear();
    rest = line.substr(1);
  } else {
    std::optional<std::string> name = unquote(line, rest);
    if (!name) return false;
    value.name = *name;
  }
  if (!rest.starts_with('=')) return false;
  rest.remove_prefix(1);
  if (rest.starts_with('"')) {
    std::string_view after;
    std::optional<std::string> text = unquote(rest, after);
    if (!text || !after.empty()) return false;
    value.type = REG_SZ;
    value.data = *text + '\0';
    return true;
  }
  if (rest.starts_with("dword:")) {
    const auto number = static_cast<std::uint32_t>(std::stoul(std::string(rest.substr(6)), nullptr, 16));
    value.type = REG_DWORD;
    value.data.clear();
    for (int i = 0; i < 4; ++i) value.data += static_cast<char>(number >> (8 * i) & 0xFF);
    return true;
  }
  if (rest.starts_with("hex:")) {
    value.type = REG_BINARY;
    rest.remove_prefix(4);
  } else if (rest.starts_with("hex(")) {
    const std::size_t close = rest.find("):");
    if (close == std::string_view::npos) return false;
    value.type = static_cast<RegType>(std::stoul(std::string(rest.substr(4, close - 4)), nullptr, 16));
    rest.remove_prefix(close + 2);
  } else {
    return false;
  }
  std::optional<std::string> bytes = hexBytes(rest);
  if (bytes && isStringType(value.type)) bytes = fromUtf16Bytes(*bytes);
  if (!bytes) return false;
  value.data = *bytes;
  return true;
}

}  // namespace

std::optional<RegFileContents> readRegFile(std::string_view bytes) {
  if (!bytes.starts_with("\xFF\xFE")) return std::nullopt;
  const std::optional<std::string> text = fromUtf16Bytes(bytes.substr(2));
  if (!text) return std::nullopt;

  // Lines, with the hexadecimal continuations joined.
  std::vector<std::string> lines;
  std::string_view all = *text;
  bool continued = false;
  while (!all.empty()) {
    std::size_t end = all.find("\r\n");
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(0, end);
    all.remove_prefix(std::min(all.size(), end + 2));
    if (continued) {
      while (line.starts_with(' ')) line.remove_prefix(1);
      lines.back() += line;
    } else {
      lines.emplace_back(line);
    }
    continued = line.ends_with('\\') && lines.back().find("=hex") != std::string::npos;
  }
  if (lines.empty() || lines.front() != "Windows Registry Editor Version 5.00") return std::nullopt;

  RegFileContents contents;
  std::optional<std::pair<RegKey, std::string>> key;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    if (line.starts_with('[')) {
      if (!line.ends_with(']')) return std::nullopt;
      const std::string path = line.substr(1, line.size() - 2);
      const std::size_t slash = path.find('\\');
      const std::optional<RegKey> root = rootNamed(path.substr(0, slash));
      if (!root || slash == std::string::npos) return std::nullopt;
      key.emplace(*root, path.substr(slash + 1));
      contents.keys.push_back(*key);
      continue;
    }
    RegFileValue value;
    if (!key || !readValueLine(line, value)) return std::nullopt;
    value.root = key->first;
    value.keyPath = key->second;
    contents.values.push_back(std::move(value));
  }
  return contents;
}

bool importRegFile(RegistryStore& store, std::string_view bytes) {
  const std::optional<RegFileContents> contents = readRegFile(bytes);
  if (!contents) return false;
  auto open = [&store](RegKey root, const std::string& path) {
    RegKey key{};
    return store.createKey(root, path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key, nullptr) == ERROR_SUCCESS
               ? key
               : RegKey{};
  };
  for (const auto& [root, path] : contents->keys) {
    const RegKey key = open(root, path);
    if (key == RegKey{}) return false;
    store.closeKey(key);
  }
  for (const RegFileValue& value : contents->values) {
    const RegKey key = open(value.root, value.keyPath);
    if (key == RegKey{}) return false;
    const RegStatus status =
        store.setValue(key, value.name, value.type, reinterpret_cast<const std::uint8_t*>(value.data.data()),
                       static_cast<std::uint32_t>(value.data.size()));
    store.closeKey(key);
    if (status != ERROR_SUCCESS) return false;
  }
  return true;
}

}  // namespace velmora::test_support

#include "registry/reg_file_reader.h"

#include "platform/utf8.h"

namespace velmora::registry {

using namespace platform;

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

std::optional<RegKey> rootNamed(std::string_view name) {
  if (name == "HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
  if (name == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  if (name == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  if (name == "HKEY_USERS") return HKEY_USERS;
  if (name == "HKEY_CURRENT_CONFIG") return HKEY_CURRENT_CONFIG;
  return std::nullopt;
}

std::string utf16Bytes(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::optional<std::string> textOfFile(std::string_view bytes) {
  if (!bytes.starts_with("\xFF\xFE") || bytes.size() % 2 != 0) return std::nullopt;
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 2; i < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
  return utf8::fromUtf16(units);
}

// The text between quotes at the start of text, with its escapes undone; rest is
// what follows the closing quote.
std::optional<std::string> unquoted(std::string_view text, std::string_view& rest) {
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

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A number of at most maxDigits hexadecimal digits, the whole of text.
std::optional<std::uint32_t> hexNumber(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0) return std::nullopt;
    number = number << 4 | static_cast<std::uint32_t>(digit);
  }
  return number;
}

// "xx,xx,..." with the blanks of continued lines: every byte two digits.
std::optional<std::string> hexBytes(std::string_view text) {
  std::string bytes;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    const int high = hexDigit(text[i]);
    const int low = hexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high << 4 | low);
    i += 2;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && text[i++] != ',') return std::nullopt;
  }
  return bytes;
}

std::optional<RegFileValue> valueOfLine(std::string_view line) {
  RegFileValue value;
  std::string_view rest;
  if (line.starts_with("@=")) {
    rest = line.substr(1);
  } else {
    std::optional<std::string> name = unquoted(line, rest);
    if (!name) return std::nullopt;
    value.name = std::move(*name);
  }
  if (!rest.starts_with('=')) return std::nullopt;
  rest.remove_prefix(1);
  if (rest.starts_with('"')) {
    std::string_view after;
    const std::optional<std::string> text = unquoted(rest, after);
    if (!text || !after.empty()) return std::nullopt;
    std::optional<std::u16string> units = utf8::toUtf16(*text);
    if (!units) return std::nullopt;
    units->push_back(u'\0');
    value.type = REG_SZ;
    value.bytes = utf16Bytes(*units);
    return value;
  }
  if (rest.starts_with("dword:")) {
    const std::optional<std::uint32_t> number = hexNumber(rest.substr(6), 8);
    if (!number) return std::nullopt;
    value.type = REG_DWORD;
    for (int i = 0; i < 4; ++i) value.bytes += static_cast<char>(*number >> (8 * i) & 0xFF);
    return value;
  }
  if (rest.starts_with("hex:")) {
    value.type = REG_BINARY;
    rest.remove_prefix(4);
  } else if (rest.starts_with("hex(")) {
    const std::size_t close = rest.find("):");
    if (close == std::string_view::npos) return std::nullopt;
    const std::optional<std::uint32_t> type = hexNumber(rest.substr(4, close - 4), 8);
    if (!type) return std::nullopt;
    value.type = *type;
    rest.remove_prefix(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::string> bytes = hexBytes(rest);
  if (!bytes) return std::nullopt;
  value.bytes = std::move(*bytes);
  return value;
}

// The file's lines, with every continued hexadecimal line joined to the one it
// continues.
std::vector<std::string> joinedLines(std::string_view text) {
  std::vector<std::string> lines;
  bool continued = false;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(text.size(), end + 1));
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (continued) {
      lines.back().pop_back();  // The backslash.
      lines.back() += line;
    } else {
      lines.emplace_back(line);
    }
    continued = line.ends_with('\\') && lines.back().find("=hex") != std::string::npos;
  }
  return lines;
}

}  // namespace

int RegFileContents::entryCount() const {
  int count = 0;
  for (const RegFileSection& section : sections) count += 1 + static_cast<int>(section.values.size());
  return count;
}

std::optional<RegFileContents> readRegFile(std::string_view fileBytes) {
  const std::optional<std::string> text = textOfFile(fileBytes);
  if (!text) return std::nullopt;
  const std::vector<std::string> lines = joinedLines(*text);
  if (lines.empty() || lines.front() != kHeader) return std::nullopt;

  RegFileContents contents;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.empty()) continue;
    if (line.starts_with(';')) {
      if (contents.firstComment.empty()) {
        const std::size_t text = line.find_first_not_of(' ', 1);
        contents.firstComment = text == std::string_view::npos ? "" : std::string(line.substr(text));
      }
      continue;
    }
    if (line.starts_with('[')) {
      if (!line.ends_with(']') || line.starts_with("[-")) return std::nullopt;
      const std::string_view path = line.substr(1, line.size() - 2);
      const std::size_t slash = path.find('\\');
      if (slash == std::string_view::npos || slash + 1 == path.size()) return std::nullopt;
      const std::optional<RegKey> root = rootNamed(path.substr(0, slash));
      if (!root) return std::nullopt;
      contents.sections.push_back({*root, std::string(path.substr(slash + 1)), {}});
      continue;
    }
    std::optional<RegFileValue> value = valueOfLine(line);
    if (!value || contents.sections.empty()) return std::nullopt;
    contents.sections.back().values.push_back(std::move(*value));
  }
  return contents;
}

}  // namespace velmora::registry

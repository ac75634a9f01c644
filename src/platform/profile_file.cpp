#include "platform/profile_file.h"

#include <optional>
#include <vector>

#include "common/text_lines.h"

namespace velmora::platform {
namespace {

// What the profile functions take for a blank: white space, CR, and Ctrl+Z, the
// end-of-file mark of DOS editors.
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Section and key names compare without regard to ASCII letter case.
bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && text::asciiLower(a) == text::asciiLower(b);
}

// One line as the profile functions see it.
struct Line {
  enum class Kind { blank, section, key };
  Kind kind = Kind::blank;
  std::string_view name;                  // Section or key name, trimmed.
  std::optional<std::string_view> value;  // After the first "=", trimmed; none without "=".
};

Line parse(std::string_view raw) {
  const std::string_view text = trimmed(raw);
  if (text.empty()) return {};
  const std::size_t close = text.rfind(']');
  if (text.front() == '[' && close != std::string_view::npos && close > 0) {
    return {Line::Kind::section, trimmed(text.substr(1, close - 1)), std::nullopt};
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {Line::Kind::key, text, std::nullopt};
  return {Line::Kind::key, trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1))};
}

// The text of a key line. Built by appending: GCC 12 at -O3 warns falsely
// (-Wrestrict) about the temporaries of chained string additions.
std::string keyLine(std::string_view name, std::string_view value) {
  std::string line;
  line.reserve(name.size() + 1 + value.size());
  line.append(name).append("=").append(value);
  return line;
}

std::string sectionLine(std::string_view name) {
  std::string line;
  line.reserve(name.size() + 2);
  line.append("[").append(name).append("]");
  return line;
}

// Whether the lines written for key in section read back as that section and that
// key with that value. A line break in any of them, a key that begins with "[" or
// holds "=", would write lines that read as other sections or keys and could hide
// the lines after them.
bool readsBack(std::string_view section, std::string_view key, std::string_view value) {
  for (std::string_view text : {section, key, value})
    if (text.find_first_of("\r\n") != std::string_view::npos) return false;
  const std::string headerText = sectionLine(section);
  const std::string lineText = keyLine(key, value);
  const Line header = parse(headerText);
  const Line line = parse(lineText);
  return header.kind == Line::Kind::section && header.name == section && line.kind == Line::Kind::key &&
         line.name == key && line.value == trimmed(value);
}

std::string_view withoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

ProfileSnapshot::ProfileSnapshot(const TextFiles& files, const std::string& path) {
  const FileContents contents = files.readText(path, kMaxProfileFileSize);
  if (!contents) return;
  Keys* keys = nullptr;
  for (const std::string& raw : text::splitLines(contents.data)) {
    const Line line = parse(raw);
    if (line.kind == Line::Kind::section) {
      // Only the first section of a name is searched by readString; the later
      // ones are kept apart for readStringInAnySection.
      const std::string name = text::asciiLower(line.name);
      auto [entry, added] = sections_.try_emplace(name);
      keys = added ? &entry->second : &laterSections_[name];
    } else if (line.kind == Line::Kind::key && keys != nullptr) {
      std::optional<std::string> value;
      if (line.value) value = std::string(withoutQuotes(*line.value));
      keys->try_emplace(text::asciiLower(line.name), std::move(value));
    }
  }
}

std::string ProfileSnapshot::readString(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) const {
  const std::string_view wantedSection = trimmed(section);
  const std::string_view wantedKey = trimmed(key);
  if (wantedSection.empty() || wantedKey.empty()) return std::string(defaultValue);
  const auto keys = sections_.find(text::asciiLower(wantedSection));
  if (keys == sections_.end()) return std::string(defaultValue);
  const auto value = keys->second.find(text::asciiLower(wantedKey));
  if (value == keys->second.end() || !value->second) return std::string(defaultValue);
  return *value->second;
}

std::string ProfileSnapshot::readStringInAnySection(std::string_view section, std::string_view key,
                                                    std::string_view defaultValue) const {
  // A text no value can hold tells a missing key apart from any value.
  constexpr std::string_view kMissing = "\n";
  std::string value = readString(section, key, kMissing);
  if (value != kMissing) return value;
  const auto later = laterSections_.find(text::asciiLower(trimmed(section)));
  if (later == laterSections_.end()) return std::string(defaultValue);
  const auto found = later->second.find(text::asciiLower(trimmed(key)));
  if (found == later->second.end() || !found->second) return std::string(defaultValue);
  return *found->second;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return snapshot().readString(section, key, defaultValue);
}

namespace {

// Sets key in section among the lines of a profile file, as writeString does.
void setKey(std::vector<std::string>& lines, std::string_view wantedSection, std::string_view wantedKey,
            std::string_view value) {
  std::optional<std::size_t> header;
  for (std::size_t i = 0; i < lines.size() && !header; ++i) {
    const Line line = parse(lines[i]);
    if (line.kind == Line::Kind::section && sameName(line.name, wantedSection)) header = i;
  }

  if (!header) {
    lines.push_back(sectionLine(wantedSection));
    lines.push_back(keyLine(wantedKey, value));
    return;
  }
  std::size_t insertAt = *header + 1;
  for (std::size_t i = *header + 1; i < lines.size(); ++i) {
    const Line line = parse(lines[i]);
    if (line.kind == Line::Kind::section) break;
    if (line.kind == Line::Kind::key && sameName(line.name, wantedKey)) {
      // The key keeps the spelling it has in the file.
      lines[i] = keyLine(line.name, value);
      return;
    }
    if (line.kind != Line::Kind::blank) insertAt = i + 1;
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), keyLine(wantedKey, value));
}

}  // namespace

bool ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  const KeyValue one{key, value};
  return writeStrings(section, std::span<const KeyValue>(&one, 1));
}

bool ProfileFile::writeStrings(std::string_view section, std::span<const KeyValue> keys) {
  const SectionKeys one{section, keys};
  return writeSections(std::span<const SectionKeys>(&one, 1));
}

bool ProfileFile::writeSections(std::span<const SectionKeys> sections) {
  for (const SectionKeys& part : sections) {
    const std::string_view wantedSection = trimmed(part.section);
    if (wantedSection.empty()) return false;
    for (const KeyValue& key : part.keys)
      if (trimmed(key.first).empty() || !readsBack(wantedSection, trimmed(key.first), key.second))
        return false;
  }

  const FileContents contents = files_.readText(path_, kMaxProfileFileSize);
  if (contents.status == ReadStatus::failed) return false;

  std::vector<std::string> lines = text::splitLines(contents.data);
  for (const SectionKeys& part : sections)
    for (const auto& [key, value] : part.keys) setKey(lines, trimmed(part.section), trimmed(key), value);
  return files_.writeText(path_, text::joinLinesCrLf(lines));
}

}  // namespace velmora::platform

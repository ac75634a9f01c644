#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

namespace velmora::registry {

// One value of a registry file, with its data as the registry is to hold it:
// string data as UTF-16LE bytes, every other type as its raw bytes.
struct RegFileValue {
  std::string name;  // Empty for the key's default value.
  platform::RegType type = platform::REG_NONE;
  std::string bytes;
};

// One [HKEY_...\path] section and the values under it.
struct RegFileSection {
  platform::RegKey root{};
  std::string keyPath;
  std::vector<RegFileValue> values;
};

struct RegFileContents {
  std::vector<RegFileSection> sections;  // In file order.
  // The text of the file's first comment line (";..."), without the semicolon
  // and the blanks after it; empty when it has none.
  std::string firstComment;
  // The keys and values the file holds, which is what a restore puts back.
  int entryCount() const;
};

// Reads a registry file of the kind RegFileExport writes ("Windows Registry Editor
// Version 5.00", UTF-16LE with a byte-order mark): quoted texts, "dword:", "hex:"
// and "hex(N):" data, long hexadecimal lines continued with a backslash. Nothing
// when the file is anything else or damaged: another header, a line that is none
// of these, a root it does not name, a deletion ("[-...]", "=-"), text after the
// data. Comment lines (";...") are passed over, as the registry editor does. A
// file that cannot be read whole is never half used.
std::optional<RegFileContents> readRegFile(std::string_view fileBytes);

}  // namespace velmora::registry

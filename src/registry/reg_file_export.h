#pragma once

#include <string>
#include <string_view>

#include "platform/registry_store.h"

namespace velmora::registry {

// The contents of a registry file as the system's registry editor writes it and
// reads it back ("Windows Registry Editor Version 5.00", UTF-16LE with a byte-order
// mark, CR LF line ends): opening the file in the editor puts back every key and
// value it holds. The registry pages export what they are about to delete into one
// such file, so that every deletion can be undone.
//
// Each value keeps its type and its exact data: "dword:" for a four-byte REG_DWORD,
// a quoted text for a REG_SZ that is one line of text ending in one NUL, and
// otherwise the bytes as the registry holds them, as "hex:" (REG_BINARY) or
// "hex(N):" with the type's number (hex(2) REG_EXPAND_SZ, hex(7) REG_MULTI_SZ, and
// hex(1) for a REG_SZ that quotes could not reproduce).
//
// An addition is whole or not at all: when any part of what it names cannot be
// read, or cannot be written so that it reads back the same (a name with a line
// break in it), nothing of it is added and it returns false. Keys are read with
// KEY_READ.
class RegFileExport {
 public:
  explicit RegFileExport(platform::RegistryStore& store) : store_(store) {}

  // One value of root\keyPath (the empty name is the key's default value).
  bool addValue(platform::RegKey root, std::string_view keyPath, std::string_view valueName);
  // root\keyPath with all its values and every key below it with theirs.
  bool addKeyTree(platform::RegKey root, std::string_view keyPath);

  bool empty() const { return text_.empty(); }
  // The whole file, ready to be written as it stands; a comment, when given, is
  // its first line after the header (one line, no line break in it).
  std::string fileBytes(std::string_view comment = {}) const;

 private:
  platform::RegistryStore& store_;
  // The sections added so far, in UTF-8.
  std::string text_;
};

// The name the registry editor gives a root ("HKEY_LOCAL_MACHINE"); empty for a
// root it cannot import into.
std::string_view regFileRootName(platform::RegKey root);

}  // namespace velmora::registry

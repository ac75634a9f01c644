#include "registry/registry_path_parts.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::registry {
namespace {

using namespace platform;

TEST(RegistryPathParts, RootFromTheFirstCharactersInTableOrder) {
  EXPECT_EQ(RegGetRoot("HKLM\\Software\\Vendor\\App\\Version"), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(RegGetRoot("hkcu\\Software\\Vendor\\"), HKEY_CURRENT_USER);
  EXPECT_EQ(RegGetRoot("HkCr/.txt/"), HKEY_CLASSES_ROOT);
  EXPECT_EQ(RegGetRoot("HKU\\S-1-5-18\\Environment\\TEMP"), HKEY_USERS);
  EXPECT_EQ(RegGetRoot("HKPD\\x"), HKEY_PERFORMANCE_DATA);
  EXPECT_EQ(RegGetRoot("HKCC"), HKEY_CURRENT_CONFIG);
  EXPECT_EQ(RegGetRoot("hkdd\\x"), HKEY_DYN_DATA);
  EXPECT_EQ(RegGetRoot("HKLMX\\Software"), HKEY_LOCAL_MACHINE) << "no separator is required";
  EXPECT_EQ(RegGetRoot("HKUX"), HKEY_USERS);
  EXPECT_EQ(RegGetRoot("HKU"), HKEY_USERS);

  EXPECT_EQ(RegGetRoot(""), RegKey{});
  EXPECT_EQ(RegGetRoot("HKL"), RegKey{});
  EXPECT_EQ(RegGetRoot("XYZ\\Software\\Value"), RegKey{});
  EXPECT_EQ(RegGetRoot("HKEY_LOCAL_MACHINE\\Software"), RegKey{}) << "only the short names are known";
  EXPECT_EQ(RegGetRoot(" HKLM\\Software"), RegKey{});
  EXPECT_EQ(RegGetRoot(std::string("HK\0M\\x", 6)), RegKey{}) << "the first four characters end at a NUL";
  EXPECT_EQ(RegGetRoot(std::string("HKU\0\\x", 6)), HKEY_USERS);
}

TEST(RegistryPathParts, ValueNameIsAfterTheLastSeparator) {
  EXPECT_EQ(RegValueName("HKLM\\Software\\Vendor\\App\\Version"), "Version");
  EXPECT_EQ(RegValueName("hkcu\\Software\\Vendor\\"), "");
  EXPECT_EQ(RegValueName("HKCU\\Name"), "Name");
  EXPECT_EQ(RegValueName("HKCU"), "");
  EXPECT_EQ(RegValueName("HKLM/Software/Vendor/Value"), "Value");
  EXPECT_EQ(RegValueName("HKLM\\Software/Value"), "Value");
}

TEST(RegistryPathParts, KeyPathIsBetweenTheFirstAndLastSeparator) {
  EXPECT_EQ(RegKeyPath("HKLM\\Software\\Vendor\\App\\Version"), "Software\\Vendor\\App");
  EXPECT_EQ(RegKeyPath("hkcu\\Software\\Vendor\\"), "Software\\Vendor");
  EXPECT_EQ(RegKeyPath("HKCU\\Name"), "");
  EXPECT_EQ(RegKeyPath("HKCU"), "");
  EXPECT_EQ(RegKeyPath("HKCU\\"), "");
  EXPECT_EQ(RegKeyPath("HKU\\S-1-5-18\\Environment\\TEMP"), "S-1-5-18\\Environment");
  EXPECT_EQ(RegKeyPath("HKLM/Software/Vendor/Value"), "Software/Vendor") << "separators inside are kept";
  EXPECT_EQ(RegKeyPath("HKLM\\\\Software\\Value"), "\\Software");
}

}  // namespace
}  // namespace velmora::registry

#include "contract/registry_store_scratch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

namespace velmora::test_support {

using namespace platform;

RegStatus deleteTree(RegistryStore& store, RegKey key, const std::string& subKey) {
  RegKey opened{};
  if (store.openKey(key, subKey, KEY_ALL_ACCESS, opened) == ERROR_SUCCESS) {
    std::string name;
    while (store.enumKey(opened, 0, name) == ERROR_SUCCESS) {
      if (deleteTree(store, opened, name) != ERROR_SUCCESS) break;
    }
    store.closeKey(opened);
  }
  return store.deleteKey(key, subKey);
}

namespace {

std::string uniqueName() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::random_device entropy;
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "test";
  return name + "-" + std::to_string(now) + "-" + std::to_string(entropy());
}

}  // namespace

// The key sits directly below Software, with no parent shared by other tests: a
// test ending at the moment another created its key below a shared parent could
// delete that parent in between and make the creation fail (ERROR_KEY_DELETED).
ScratchKey::ScratchKey(RegistryStore& store, std::string_view area)
    : store_(store), path_("Software\\" + std::string(area) + "-" + uniqueName()) {
  const RegStatus status =
      store_.createKey(HKEY_CURRENT_USER, path_, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key_, nullptr);
  EXPECT_EQ(status, ERROR_SUCCESS) << "creating HKEY_CURRENT_USER\\" << path_;
}

ScratchKey::~ScratchKey() {
  if (key_ != RegKey{}) store_.closeKey(key_);
  EXPECT_EQ(deleteTree(store_, HKEY_CURRENT_USER, path_), ERROR_SUCCESS) << "removing " << path_;
}

void ScratchKey::createKey(const std::string& subKey) {
  RegKey created{};
  ASSERT_EQ(store_.createKey(key_, subKey, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, created, nullptr),
            ERROR_SUCCESS)
      << subKey;
  store_.closeKey(created);
}

void ScratchKey::setValue(const std::string& subKey, const std::string& name, RegType type,
                          const std::vector<std::uint8_t>& data) {
  RegKey target{};
  ASSERT_EQ(store_.createKey(key_, subKey, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, target, nullptr),
            ERROR_SUCCESS)
      << subKey;
  EXPECT_EQ(store_.setValue(target, name, type, data.data(), static_cast<std::uint32_t>(data.size())),
            ERROR_SUCCESS)
      << subKey << " : " << name;
  store_.closeKey(target);
}

void ScratchKey::setText(const std::string& subKey, const std::string& name, std::string_view text,
                         RegType type) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  setValue(subKey, name, type, data);
}

void ScratchKey::setNumber(const std::string& subKey, const std::string& name, std::uint32_t number) {
  setValue(subKey, name, REG_DWORD,
           {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)});
}

bool ScratchKey::keyExists(const std::string& subKey) const {
  RegKey opened{};
  if (store_.openKey(key_, subKey, KEY_READ, opened) != ERROR_SUCCESS) return false;
  store_.closeKey(opened);
  return true;
}

}  // namespace velmora::test_support

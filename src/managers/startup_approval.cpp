#include "managers/startup_approval.h"

#include <chrono>

namespace velmora::managers {
namespace {

constexpr std::uint32_t kApprovalSize = 12;

}  // namespace

EntryLocation runValueApproval(const ProgramSource& source, const std::string& valueName) {
  // The approval keys lie below Explorer, which is shared by both views; they are
  // read in the program's own view.
  const char* key = source.view == platform::KEY_WOW64_32KEY ? "Run32" : "Run";
  return {{source.root, 0}, std::string(kStartupApprovedPath) + key, valueName};
}

EntryLocation startupFileApproval(platform::RegKey root, const std::string& fileName) {
  return {{root, 0}, std::string(kStartupApprovedPath) + "StartupFolder", fileName};
}

StartupState readStartupState(platform::RegistryStore& store, const EntryLocation& approval) {
  platform::RegKey key{};
  if (!approval.valueName || store.openKey(approval.source.root, approval.keyPath, platform::KEY_READ, key) !=
                                 platform::ERROR_SUCCESS)
    return StartupState::enabled;
  platform::RegType type = 0;
  std::uint8_t data[64] = {};
  std::uint32_t size = sizeof data;
  const platform::RegStatus status = store.queryValue(key, *approval.valueName, &type, data, &size);
  store.closeKey(key);
  // A longer value than Windows writes still carries its state in the first byte.
  const bool read = status == platform::ERROR_SUCCESS || status == platform::ERROR_MORE_DATA;
  if (!read || type != platform::REG_BINARY || size < kApprovalSize) return StartupState::enabled;
  return (data[0] & 1) != 0 ? StartupState::disabled : StartupState::enabled;
}

std::string approvalBytes(StartupState state, std::uint64_t fileTimeNow) {
  std::string bytes(kApprovalSize, '\0');
  bytes[0] = state == StartupState::disabled ? '\x03' : '\x02';
  if (state == StartupState::disabled)
    for (int i = 0; i < 8; ++i) bytes[4 + i] = static_cast<char>((fileTimeNow >> (8 * i)) & 0xFF);
  return bytes;
}

bool writeStartupState(platform::RegistryStore& store, const EntryLocation& approval, StartupState state,
                       std::uint64_t fileTimeNow) {
  if (!approval.valueName) return false;
  platform::RegKey key{};
  if (store.createKey(approval.source.root, approval.keyPath, platform::REG_OPTION_NON_VOLATILE,
                      platform::KEY_SET_VALUE, key, nullptr) != platform::ERROR_SUCCESS)
    return false;
  const std::string bytes = approvalBytes(state, fileTimeNow);
  const platform::RegStatus status =
      store.setValue(key, *approval.valueName, platform::REG_BINARY,
                     reinterpret_cast<const std::uint8_t*>(bytes.data()), kApprovalSize);
  store.closeKey(key);
  return status == platform::ERROR_SUCCESS;
}

std::uint64_t currentFileTime() {
  // FILETIME counts from 1601; the system clock from 1970, 11644473600 s later.
  constexpr std::uint64_t kEpochOffset = 116444736000000000ULL;
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks =
      std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>>(sinceEpoch);
  return kEpochOffset + static_cast<std::uint64_t>(ticks.count());
}

}  // namespace velmora::managers

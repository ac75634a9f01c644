#include "registry/reg_file_restore.h"

#include "registry/reg_file_export.h"

namespace velmora::registry {

using namespace platform;

std::string entryName(const RegFileSection& section) {
  return std::string(regFileRootName(section.root)) + "\\" + section.keyPath;
}

std::string entryName(const RegFileSection& section, const RegFileValue& value) {
  return entryName(section) + "\\" + value.name;
}

std::vector<std::string> RestorePlan::changedEntries(const RegFileContents& contents) const {
  std::vector<std::string> changed;
  for (const Value& planned : values)
    if (planned.state == State::changed) {
      const RegFileSection& section = contents.sections[planned.section];
      changed.push_back(entryName(section, section.values[planned.value]));
    }
  return changed;
}

RestorePlan planRestore(RegistryStore& store, const RegFileContents& contents) {
  using State = RestorePlan::State;
  RestorePlan plan;
  for (std::size_t s = 0; s < contents.sections.size(); ++s) {
    const RegFileSection& section = contents.sections[s];
    RegKey key{};
    const RegStatus opened = store.openKey(section.root, section.keyPath, KEY_READ, key);
    const State keyState = opened == ERROR_SUCCESS          ? State::same
                           : opened == ERROR_FILE_NOT_FOUND ? State::missing
                                                            : State::unreadable;
    plan.keys.push_back(keyState);
    plan.keyStatus.push_back(opened);
    for (std::size_t v = 0; v < section.values.size(); ++v) {
      RestorePlan::Value planned{s, v, keyState, opened};
      if (keyState == State::same) {
        // What is there now decides: nothing, the same, or other data.
        const RegFileValue& value = section.values[v];
        RegType type = REG_NONE;
        std::string bytes;
        planned.status = store.queryValueBytes(key, value.name, type, bytes);
        if (planned.status == ERROR_FILE_NOT_FOUND)
          planned.state = State::missing;
        else if (planned.status != ERROR_SUCCESS)
          planned.state = State::unreadable;
        else
          planned.state = type == value.type && bytes == value.bytes ? State::same : State::changed;
      }
      plan.values.push_back(planned);
    }
    if (opened == ERROR_SUCCESS) store.closeKey(key);
  }
  return plan;
}

RestoreResult applyRestore(RegistryStore& store, const RegFileContents& contents, const RestorePlan& plan,
                           bool replaceChanged) {
  using State = RestorePlan::State;
  RestoreResult result;
  std::size_t next = 0;  // The plan's values follow the sections in order.
  for (std::size_t s = 0; s < contents.sections.size(); ++s) {
    const RegFileSection& section = contents.sections[s];
    const std::size_t end = next + section.values.size();
    if (plan.keys[s] == State::unreadable) {
      // What is there cannot be read, so nothing is known to be safe to write.
      result.failures.push_back({entryName(section), plan.keyStatus[s]});
      for (; next < end; ++next)
        result.failures.push_back(
            {entryName(section, section.values[plan.values[next].value]), plan.keyStatus[s]});
      continue;
    }
    bool anyToWrite = plan.keys[s] == State::missing;
    for (std::size_t i = next; i < end; ++i)
      anyToWrite |= plan.values[i].state == State::missing ||
                    (replaceChanged && plan.values[i].state == State::changed);
    if (plan.keys[s] == State::same) ++result.unchangedCount;
    RegKey key{};
    const RegStatus created = anyToWrite ? store.createKey(section.root, section.keyPath,
                                                           REG_OPTION_NON_VOLATILE, KEY_WRITE, key, nullptr)
                                         : ERROR_SUCCESS;
    if (created != ERROR_SUCCESS && plan.keys[s] == State::missing)
      result.failures.push_back({entryName(section), created});
    if (created == ERROR_SUCCESS && plan.keys[s] == State::missing) ++result.restoredCount;
    for (; next < end; ++next) {
      const RestorePlan::Value& planned = plan.values[next];
      const RegFileValue& value = section.values[planned.value];
      const std::string name = entryName(section, value);
      switch (planned.state) {
        case State::same:
          ++result.unchangedCount;
          continue;
        case State::unreadable:
          result.failures.push_back({name, planned.status});
          continue;
        case State::changed:
          if (!replaceChanged) {
            result.failures.push_back({name, ERROR_SUCCESS, RestoreFailure::Reason::changed});
            continue;
          }
          break;
        case State::missing:
          break;
      }
      const RegStatus written =
          created == ERROR_SUCCESS ? store.setValueBytes(key, value.name, value.type, value.bytes) : created;
      if (written == ERROR_SUCCESS)
        ++result.restoredCount;
      else
        result.failures.push_back({name, written});
    }
    if (anyToWrite && created == ERROR_SUCCESS) store.closeKey(key);
  }
  return result;
}

}  // namespace velmora::registry

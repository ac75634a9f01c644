// The registry path functions on any path text: the parts of a path put it back
// together, and a value written through a path reads back, exists until deleted
// and is gone after, all against the in-memory registry.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdlib>

#include <string>
#include <vector>

#include "fakes/fake_registry_store.h"
#include "platform/utf8.h"
#include "registry/registry_path_functions.h"

using namespace velmora;
using namespace velmora::registry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string text = input.ConsumeRandomLengthString(64);
  const std::string path = input.ConsumeRemainingBytesAsString();

  const std::string keyPath = RegKeyPath(path);
  const std::string valueName = RegValueName(path);
  if (keyPath.size() + valueName.size() > path.size() || !path.ends_with(valueName)) std::abort();

  fakes::FakeRegistryStore store;
  if (!RegWriteString(store, path, text)) {
    if (RegValueExists(store, path)) std::abort();
    return 0;
  }
  // The registry object reads a text up to its first NUL; bytes that are not UTF-8
  // reach the registry as U+FFFD, as they do on their way to Windows.
  const std::string stored =
      platform::utf8::fromUtf16Lossy(platform::utf8::toUtf16Shown(text.substr(0, text.find('\0'))));
  if (RegReadString(store, path, "\x01") != stored) std::abort();
  if (RegGetDataType(store, path) != RegValueKind::Text) std::abort();
  std::vector<std::string> names;
  RegGetValueNames(store, path, names);
  RegGetKeyNames(store, path, names);
  if (!RegDeleteValue(store, path) || RegValueExists(store, path)) std::abort();
  if (!RegWriteInt(store, path, static_cast<std::int32_t>(text.size())) ||
      RegReadInt(store, path, -1) != static_cast<std::int64_t>(text.size()))
    std::abort();
  return 0;
}

// An update check against a server that answers anything: a newer version is
// reported only for a reply whose first line is a version number greater than
// ours, and the reply is stored as it came.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdlib>

#include <string>

#include "fakes/fake_internet.h"
#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "update/check_for_update.h"

using namespace velmora;
using namespace velmora::update;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int status = input.ConsumeBool() ? 200 : input.ConsumeIntegralInRange(100, 599);
  const std::size_t chunk = input.ConsumeIntegralInRange<std::size_t>(1, 4096);
  const std::string body = input.ConsumeRemainingBytesAsString();

  fakes::FakeInternet internet;
  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles files(encoding);
  UpdateRequest request;
  request.agent = "Velmora Disk Cleaner 1.3";
  request.address = RequestAddress("http://velmora.example", "Velmora Disk Cleaner");
  request.replyFile = "C:\\P\\data\\version.txt";
  request.ownVersion = "1.3";
  request.connected = true;
  internet.serve(request.address, body, status);
  internet.maxChunk = chunk;

  const UpdateOutcome outcome = CheckForUpdate(request, internet, files);
  if (files.bytes(request.replyFile) != body.substr(0, kMaxReplySize)) std::abort();
  if (outcome.newer() && (status != 200 || !IsVersionText(outcome.latestVersion) ||
                          !VersionIsGreater(outcome.latestVersion, request.ownVersion)))
    std::abort();
  if (internet.openHandles() != 0) std::abort();
  return 0;
}

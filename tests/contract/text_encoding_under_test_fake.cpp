#include "fakes/fake_text_encoding.h"
#include "text_encoding_under_test.h"

namespace velmora::contract {

std::unique_ptr<platform::TextEncoding> makeTextEncoding() {
  return std::make_unique<fakes::FakeTextEncoding>();
}

}  // namespace velmora::contract

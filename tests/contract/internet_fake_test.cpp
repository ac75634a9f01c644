// The scripting of the fake Internet that tests of the update check rely on.
#include <gtest/gtest.h>

#include "fakes/fake_internet.h"

namespace velmora::fakes {
namespace {

TEST(FakeInternet, ScriptedFailuresAndPiecesAndTheHandleCount) {
  FakeInternet internet;
  EXPECT_TRUE(internet.connected());
  internet.isConnected = false;
  EXPECT_FALSE(internet.connected());

  internet.openFails = true;
  EXPECT_EQ(internet.open("agent"), nullptr);
  internet.openFails = false;

  internet.serve("http://server/v", "1.4\r\n");
  internet.maxChunk = 2;
  {
    auto session = internet.open("agent");
    auto request = session->openUrl("http://server/v");
    EXPECT_EQ(internet.openHandles(), 2);
    char buffer[1024];
    EXPECT_EQ(request->read(buffer), 2u);
    EXPECT_EQ(request->read(buffer), 2u);
    EXPECT_EQ(request->read(buffer), 1u);
    EXPECT_EQ(request->read(buffer), 0u);
  }
  EXPECT_EQ(internet.openHandles(), 0);

  internet.failReadAfter("http://server/v", 3);
  auto request = internet.open("agent")->openUrl("http://server/v");
  char buffer[1024];
  EXPECT_EQ(request->read(buffer), 2u);
  EXPECT_EQ(request->read(buffer), 1u);
  EXPECT_EQ(request->read(buffer), std::nullopt);

  internet.stopServing("http://server/v");
  EXPECT_EQ(internet.open("agent")->openUrl("http://server/v"), nullptr);
  EXPECT_EQ(internet.agents().size(), 4u);
  EXPECT_EQ(internet.requestedUrls().size(), 3u);
}

}  // namespace
}  // namespace velmora::fakes

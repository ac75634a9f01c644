// The Internet contract: one GET whose reply body is read in chunks, checked against
// the scripted fake natively and against WinINet and a loopback server under Wine.
#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <vector>

#include "internet_world.h"

namespace velmora::contract {
namespace {

constexpr std::string_view kAgent = "Velmora Disk Cleaner 1.3";

class InternetContract : public ::testing::Test {
 protected:
  // The whole body of a request, read in chunks of at most chunk bytes; the sizes
  // of the reads go to sizes. Nothing when a read fails or the body never ends.
  static std::optional<std::string> readAll(platform::InternetRequest& request, std::size_t chunk,
                                            std::vector<std::size_t>* sizes = nullptr) {
    std::string body;
    std::vector<char> buffer(chunk);
    for (int reads = 0; reads < 100000; ++reads) {
      const std::optional<std::size_t> got = request.read(buffer);
      if (!got || *got > chunk) return std::nullopt;
      if (*got == 0) return body;
      if (sizes) sizes->push_back(*got);
      body.append(buffer.data(), *got);
    }
    return std::nullopt;
  }

  // The body of a fresh GET of url.
  std::optional<std::string> fetch(const std::string& url) {
    auto session = world->internet().open(kAgent);
    if (!session) return std::nullopt;
    auto request = session->openUrl(url);
    if (!request) return std::nullopt;
    return readAll(*request, 1024);
  }

  std::unique_ptr<InternetWorld> world = makeInternetWorld();
};

TEST_F(InternetContract, TheReplyBodyArrivesWhole) {
  world->serve("/cgi-bin/check_update.cgi?title=Velmora+Disk+Cleaner", 200, "1.4\r\nchanges\r\n");
  EXPECT_EQ(fetch(world->url("/cgi-bin/check_update.cgi?title=Velmora+Disk+Cleaner")), "1.4\r\nchanges\r\n");
  EXPECT_EQ(world->lastAgent(), kAgent);
}

TEST_F(InternetContract, ALongBodyComesInChunksNoLargerThanAsked) {
  std::string body;
  for (int i = 0; body.size() < 5000; ++i) body += "line " + std::to_string(i) + "\n";
  world->serve("/long", 200, body);

  auto session = world->internet().open(kAgent);
  ASSERT_TRUE(session);
  auto request = session->openUrl(world->url("/long"));
  ASSERT_TRUE(request);
  std::vector<std::size_t> sizes;
  EXPECT_EQ(readAll(*request, 1024, &sizes), body);
  EXPECT_GE(sizes.size(), 5u);
  // After the end, reading goes on saying so.
  char more[16];
  EXPECT_EQ(request->read(more), 0u);
}

TEST_F(InternetContract, AnErrorPageOpensLikeAnyReplyAndSaysItsStatus) {
  world->serve("/missing", 404, "<html>Not here</html>");
  EXPECT_EQ(fetch(world->url("/missing")), "<html>Not here</html>");
  world->serve("/empty", 200, "");
  EXPECT_EQ(fetch(world->url("/empty")), "");

  auto session = world->internet().open(kAgent);
  ASSERT_TRUE(session);
  for (const auto& [path, status] : {std::pair{"/missing", 404}, {"/empty", 200}}) {
    auto request = session->openUrl(world->url(path));
    ASSERT_TRUE(request) << path;
    EXPECT_EQ(request->status(), status) << path;
  }
}

TEST_F(InternetContract, ASilentServerIsGivenUpAfterTheTimeout) {
  world->serveSilence("/silent");
  world->serve("/version", 200, "1.3");
  auto session = world->internet().open(kAgent);
  ASSERT_TRUE(session);
  ASSERT_TRUE(session->setTimeout(std::chrono::milliseconds(500)));
  EXPECT_EQ(session->openUrl(world->url("/silent")), nullptr);
  // A server that answers is still read whole within the timeout.
  auto request = session->openUrl(world->url("/version"));
  ASSERT_TRUE(request);
  EXPECT_EQ(readAll(*request, 1024), "1.3");
}

TEST_F(InternetContract, EveryRequestGoesToTheServer) {
  // The server invites caching; the second request must still reach it. Windows
  // would answer it from its cache without INTERNET_FLAG_RELOAD; Wine's WinINet
  // sends it either way, so under Wine this case shows only that nothing else
  // stands in the way.
  const std::string cacheable =
      "Cache-Control: public, max-age=86400\r\nExpires: Fri, 01 Jan 2100 00:00:00 GMT\r\n";
  world->serve("/version", 200, "1.3", cacheable);
  EXPECT_EQ(fetch(world->url("/version")), "1.3");
  world->serve("/version", 200, "1.4", cacheable);
  EXPECT_EQ(fetch(world->url("/version")), "1.4");
  EXPECT_EQ(world->requestsFor("/version"), 2);
}

TEST_F(InternetContract, AddressesThatCannotBeReachedDoNotOpen) {
  auto session = world->internet().open(kAgent);
  ASSERT_TRUE(session);
  EXPECT_EQ(session->openUrl(world->unreachableUrl()), nullptr);
  EXPECT_EQ(session->openUrl("not an address"), nullptr);
  EXPECT_EQ(session->openUrl(""), nullptr);
  // The session is still good for a request that can be served.
  world->serve("/after", 200, "ok");
  auto request = session->openUrl(world->url("/after"));
  ASSERT_TRUE(request);
  EXPECT_EQ(readAll(*request, 1024), "ok");
}

TEST_F(InternetContract, ARequestOutlivesItsSession) {
  world->serve("/version", 200, "1.3");
  auto session = world->internet().open("");
  ASSERT_TRUE(session);
  auto request = session->openUrl(world->url("/version"));
  ASSERT_TRUE(request);
  session.reset();
  EXPECT_EQ(readAll(*request, 7), "1.3");
}

}  // namespace
}  // namespace velmora::contract

// One update check, from the request to the outcome: under Wine against WinINet and
// a real HTTP server on 127.0.0.1 with real files, natively against the fakes.
#include "update/check_for_update.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "internet_world.h"
#include "text_files_world.h"

namespace velmora::update {
namespace {

constexpr const char* kScript = "/cgi-bin/check_update.cgi?title=Velmora+Disk+Cleaner";

class CheckForUpdateTest : public ::testing::Test {
 protected:
  UpdateRequest request() {
    UpdateRequest r;
    r.agent = "Velmora Disk Cleaner 1.3";
    r.address = RequestAddress(internet->url(""), "Velmora Disk Cleaner");
    r.replyFile = replyFile;
    r.ownVersion = "1.3";
    r.connected = true;
    r.timeout = std::chrono::milliseconds(500);
    return r;
  }
  UpdateOutcome check(const UpdateRequest& r) {
    return CheckForUpdate(r, internet->internet(), files->files());
  }
  UpdateOutcome check() { return check(request()); }

  std::unique_ptr<contract::InternetWorld> internet = contract::makeInternetWorld();
  std::unique_ptr<contract::TextFilesWorld> files = contract::makeTextFilesWorld();
  std::string replyFile = files->path("version.txt");
};

TEST_F(CheckForUpdateTest, TheFirstLineOfAPlainReplyIsComparedAsTextWithOurVersion) {
  struct Case {
    int status;
    std::string body;
    UpdateFinding finding;
    std::string latest;
  };
  using enum UpdateFinding;
  const std::string tooLong(kMaxVersionLength + 1, '9');
  const std::string byteOrderMark = "\xEF\xBB\xBF";
  const std::vector<Case> cases = {
      {200, "1.3", LatestVersion, "1.3"},
      {200, "1.4\r\nFaster scans\r\n", NewerVersion, "1.4"},
      {200, "2.0\n", NewerVersion, "2.0"},
      {200, "1.10", LatestVersion, "1.10"},  // Text, not numbers: "1.1" < "1.3".
      {200, "1.3 \r\n", LatestVersion, "1.3"},
      {200, "\t1.4 ", NewerVersion, "1.4"},
      {200, byteOrderMark + "1.4", NewerVersion, "1.4"},
      {200, "\r\n1.4\r\n", LatestVersion, ""},
      {200, "", LatestVersion, ""},
      // Not what the server sends when all is well: never a newer version.
      {404, "<html><body>Not Found</body></html>", UnreadableReply, ""},
      {500, "1.4", UnreadableReply, ""},
      {200, "<!DOCTYPE html>\n<html>maintenance</html>", UnreadableReply, ""},
      {200, "1.4 beta", UnreadableReply, ""},
      {200, tooLong, UnreadableReply, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.status) + " \"" + c.body + "\"");
    internet->serve(kScript, c.status, c.body);
    const UpdateOutcome outcome = check();
    EXPECT_EQ(outcome.finding, c.finding);
    EXPECT_EQ(outcome.latestVersion, c.latest);
    // The reply is stored as it came, an error page too.
    EXPECT_EQ(files->stored(replyFile), c.body);
  }
  EXPECT_EQ(internet->lastAgent(), "Velmora Disk Cleaner 1.3");
}

TEST_F(CheckForUpdateTest, AHugeReplyIsCutAt64KiB) {
  std::string body = "1.4\r\n";
  body.resize(10 << 20, 'x');
  internet->serve(kScript, 200, body);
  EXPECT_EQ(check().finding, UpdateFinding::NewerVersion);
  EXPECT_EQ(files->stored(replyFile), body.substr(0, kMaxReplySize));
}

TEST_F(CheckForUpdateTest, NoReplyMeansNoConnectionAndLeavesTheStoredReply) {
  files->plant(replyFile, "1.2");
  internet->serveSilence(kScript);
  EXPECT_EQ(check().finding, UpdateFinding::CannotConnect) << "a server that never answers";

  UpdateRequest unreachable = request();
  unreachable.address = internet->unreachableUrl();
  EXPECT_EQ(check(unreachable).finding, UpdateFinding::CannotConnect);
  EXPECT_EQ(files->stored(replyFile), "1.2");

  internet->serve(kScript, 200, "1.4");
  UpdateRequest unwritable = request();
  unwritable.replyFile = files->pathInMissingFolder("version.txt");
  EXPECT_EQ(check(unwritable).finding, UpdateFinding::CannotConnect) << "the reply cannot be stored";
}

TEST_F(CheckForUpdateTest, WithoutAConnectionNothingIsAsked) {
  internet->serve(kScript, 200, "1.4");
  UpdateRequest offline = request();
  offline.connected = false;
  EXPECT_EQ(check(offline).finding, UpdateFinding::NotChecked);
  EXPECT_EQ(internet->requestsFor(kScript), 0);
  EXPECT_EQ(files->stored(replyFile), std::nullopt);
}

}  // namespace
}  // namespace velmora::update

#pragma once

#include <chrono>
#include <cstddef>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/internet.h"

namespace velmora::fakes {

// A scripted Internet, for tests of the logic: it answers each address the test
// serves with that address's body, and fails to open any other address, as for a
// server that cannot be reached. It records what was asked of it and counts the
// handles still open, so a test can check that every handle was closed. The fake
// must outlive the sessions and requests it hands out.
class FakeInternet final : public platform::Internet {
 public:
  bool connected() const override { return isConnected; }
  std::unique_ptr<platform::InternetSession> open(std::string_view agent) override;

  // What connected() answers.
  bool isConnected = true;
  // When true, open() fails, as InternetOpen does when WinINet cannot start.
  bool openFails = false;
  // The most bytes one read delivers, to stand for a reply that arrives in pieces.
  std::size_t maxChunk = std::numeric_limits<std::size_t>::max();

  // Answers url with body and the HTTP status (a request opened later gets the
  // reply served then).
  void serve(const std::string& url, std::string body, int status = 200);
  // Requests of the served url then fail to read once they have delivered bytes
  // bytes, as when the connection drops in the middle of the reply.
  void failReadAfter(const std::string& url, std::size_t bytes);
  // url can no longer be reached.
  void stopServing(const std::string& url);

  // The agent of every open() call, and the address of every openUrl() call,
  // served or not, in order.
  const std::vector<std::string>& agents() const { return agents_; }
  const std::vector<std::string>& requestedUrls() const { return requestedUrls_; }
  // The timeout of every setTimeout() call, in order.
  const std::vector<std::chrono::milliseconds>& timeouts() const { return timeouts_; }
  // Sessions and requests handed out and not yet closed.
  int openHandles() const { return openHandles_; }

 private:
  friend class FakeInternetSession;
  friend class FakeInternetRequest;

  struct Reply {
    std::string body;
    int status = 200;
    std::optional<std::size_t> failAfter;
  };

  std::map<std::string, Reply> replies_;
  std::vector<std::string> agents_;
  std::vector<std::string> requestedUrls_;
  std::vector<std::chrono::milliseconds> timeouts_;
  int openHandles_ = 0;
};

}  // namespace velmora::fakes

#include "fakes/fake_internet.h"

#include <algorithm>
#include <cstring>

namespace velmora::fakes {

class FakeInternetRequest final : public platform::InternetRequest {
 public:
  FakeInternetRequest(FakeInternet& internet, FakeInternet::Reply reply)
      : internet_(internet), reply_(std::move(reply)) {
    ++internet_.openHandles_;
  }
  ~FakeInternetRequest() override { --internet_.openHandles_; }
  FakeInternetRequest(const FakeInternetRequest&) = delete;
  FakeInternetRequest& operator=(const FakeInternetRequest&) = delete;

  std::optional<std::size_t> read(std::span<char> buffer) override {
    if (reply_.failAfter && delivered_ >= *reply_.failAfter) return std::nullopt;
    std::size_t count = std::min({buffer.size(), internet_.maxChunk, reply_.body.size() - delivered_});
    if (reply_.failAfter) count = std::min(count, *reply_.failAfter - delivered_);
    std::memcpy(buffer.data(), reply_.body.data() + delivered_, count);
    delivered_ += count;
    return count;
  }

  int status() const override { return reply_.status; }

 private:
  FakeInternet& internet_;
  FakeInternet::Reply reply_;
  std::size_t delivered_ = 0;
};

class FakeInternetSession final : public platform::InternetSession {
 public:
  explicit FakeInternetSession(FakeInternet& internet) : internet_(internet) { ++internet_.openHandles_; }
  ~FakeInternetSession() override { --internet_.openHandles_; }
  FakeInternetSession(const FakeInternetSession&) = delete;
  FakeInternetSession& operator=(const FakeInternetSession&) = delete;

  bool setTimeout(std::chrono::milliseconds timeout) override {
    internet_.timeouts_.push_back(timeout);
    return true;
  }

  std::unique_ptr<platform::InternetRequest> openUrl(std::string_view url) override {
    internet_.requestedUrls_.emplace_back(url);
    const auto reply = internet_.replies_.find(std::string(url));
    if (reply == internet_.replies_.end()) return nullptr;
    return std::make_unique<FakeInternetRequest>(internet_, reply->second);
  }

 private:
  FakeInternet& internet_;
};

std::unique_ptr<platform::InternetSession> FakeInternet::open(std::string_view agent) {
  agents_.emplace_back(agent);
  if (openFails) return nullptr;
  return std::make_unique<FakeInternetSession>(*this);
}

void FakeInternet::serve(const std::string& url, std::string body, int status) {
  replies_[url] = Reply{std::move(body), status, {}};
}

void FakeInternet::failReadAfter(const std::string& url, std::size_t bytes) {
  const auto reply = replies_.find(url);
  if (reply != replies_.end()) reply->second.failAfter = bytes;
}

void FakeInternet::stopServing(const std::string& url) { replies_.erase(url); }

}  // namespace velmora::fakes

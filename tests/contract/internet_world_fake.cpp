#include <algorithm>

#include "fakes/fake_internet.h"
#include "internet_world.h"

namespace velmora::contract {
namespace {

class FakeInternetWorld final : public InternetWorld {
 public:
  platform::Internet& internet() override { return internet_; }
  std::string url(std::string_view path) override { return "http://127.0.0.1:8080" + std::string(path); }
  void serve(std::string_view path, int status, std::string body, std::string) override {
    internet_.serve(url(path), std::move(body), status);
  }
  void serveSilence(std::string_view path) override { internet_.stopServing(url(path)); }
  int requestsFor(std::string_view path) override {
    return static_cast<int>(
        std::count(internet_.requestedUrls().begin(), internet_.requestedUrls().end(), url(path)));
  }
  std::string lastAgent() override { return internet_.agents().empty() ? "" : internet_.agents().back(); }
  std::string unreachableUrl() override { return "http://127.0.0.1:9/"; }

 private:
  fakes::FakeInternet internet_;
};

}  // namespace

std::unique_ptr<InternetWorld> makeInternetWorld() { return std::make_unique<FakeInternetWorld>(); }

}  // namespace velmora::contract

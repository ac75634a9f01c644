#include "internet_world.h"
#include "loopback_http_server_win32.h"
#include "platform/win32/internet_win32.h"

namespace velmora::contract {
namespace {

class Win32InternetWorld final : public InternetWorld {
 public:
  platform::Internet& internet() override { return internet_; }
  std::string url(std::string_view path) override {
    return "http://127.0.0.1:" + std::to_string(server_.port()) + std::string(path);
  }
  void serve(std::string_view path, int status, std::string body, std::string headers) override {
    server_.serve(path, status, std::move(body), std::move(headers));
  }
  void serveSilence(std::string_view path) override { server_.serveSilence(path); }
  int requestsFor(std::string_view path) override { return server_.requestsFor(path); }
  std::string lastAgent() override { return server_.lastAgent(); }
  std::string unreachableUrl() override {
    return "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::unusedPort()) + "/";
  }

 private:
  LoopbackHttpServer server_;
  platform::Win32Internet internet_;
};

}  // namespace

std::unique_ptr<InternetWorld> makeInternetWorld() { return std::make_unique<Win32InternetWorld>(); }

}  // namespace velmora::contract

#include "platform/win32/internet_win32.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>

#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

// A session handle shared by the session object and its requests, so that it is
// closed only after the last of them: closing a session handle also closes every
// request opened on it, and a later InternetCloseHandle on such a request would act
// on a handle that is gone.
using SharedHandle = std::shared_ptr<void>;

SharedHandle shareHandle(HINTERNET handle) {
  return SharedHandle(handle, [](void* h) { InternetCloseHandle(h); });
}

class Win32InternetRequest final : public InternetRequest {
 public:
  Win32InternetRequest(SharedHandle session, HINTERNET request)
      : session_(std::move(session)), request_(request) {}
  ~Win32InternetRequest() override { InternetCloseHandle(request_); }
  Win32InternetRequest(const Win32InternetRequest&) = delete;
  Win32InternetRequest& operator=(const Win32InternetRequest&) = delete;

  std::optional<std::size_t> read(std::span<char> buffer) override {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    DWORD got = 0;
    if (!InternetReadFile(request_, buffer.data(), wanted, &got)) return std::nullopt;
    return got;
  }

 private:
  SharedHandle session_;  // Declared first, so it is released after request_ is closed.
  HINTERNET request_;
};

class Win32InternetSession final : public InternetSession {
 public:
  explicit Win32InternetSession(SharedHandle session) : session_(std::move(session)) {}

  std::unique_ptr<InternetRequest> openUrl(std::string_view url) override {
    const std::wstring wide = win32::widen(url);
    // RELOAD asks the server itself; NO_CACHE_WRITE keeps the reply out of the
    // system's cache, where a later request of another program could find it.
    HINTERNET request = InternetOpenUrlW(static_cast<HINTERNET>(session_.get()), wide.c_str(), nullptr, 0,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (request == nullptr) return nullptr;
    return std::make_unique<Win32InternetRequest>(session_, request);
  }

 private:
  SharedHandle session_;
};

}  // namespace

bool Win32Internet::connected() const {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) != FALSE;
}

std::unique_ptr<InternetSession> Win32Internet::open(std::string_view agent) {
  const std::wstring wide = win32::widen(agent);
  HINTERNET session = InternetOpenW(wide.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (session == nullptr) return nullptr;
  return std::make_unique<Win32InternetSession>(shareHandle(session));
}

}  // namespace velmora::platform

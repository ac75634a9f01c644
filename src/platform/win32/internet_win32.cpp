#include "platform/win32/internet_win32.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>

#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

// A WinINet handle shared by its object and the handles opened under it, so that it
// is closed only after the last of them: closing a session or connection handle
// also closes every request opened on it, and a later InternetCloseHandle on such a
// request would act on a handle that is gone.
using SharedHandle = std::shared_ptr<void>;

// Shares handle; parent, when given, stays open until handle is closed.
SharedHandle shareHandle(HINTERNET handle, SharedHandle parent = {}) {
  return SharedHandle(handle, [parent = std::move(parent)](void* h) { InternetCloseHandle(h); });
}

// The parts of an http or https address that InternetConnect and HttpOpenRequest
// take; nothing for any other address.
struct HttpAddress {
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring object;  // Path and query.
  bool secure = false;
};

std::optional<HttpAddress> crackHttpAddress(const std::wstring& url) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof(parts);
  // Lengths of 1 with null pointers ask for pointers into url itself.
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
  if (url.empty() || !InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
    return std::nullopt;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
  if (parts.lpszHostName == nullptr || parts.dwHostNameLength == 0) return std::nullopt;
  HttpAddress address;
  address.host.assign(parts.lpszHostName, parts.dwHostNameLength);
  address.port = parts.nPort;
  if (parts.lpszUrlPath) address.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  if (parts.lpszExtraInfo) address.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (address.object.empty()) address.object = L"/";
  address.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  return address;
}

class Win32InternetRequest final : public InternetRequest {
 public:
  explicit Win32InternetRequest(SharedHandle request) : request_(std::move(request)) {}

  std::optional<std::size_t> read(std::span<char> buffer) override {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    DWORD got = 0;
    if (!InternetReadFile(handle(), buffer.data(), wanted, &got)) return std::nullopt;
    return got;
  }

  int status() const override {
    DWORD code = 0;
    DWORD size = sizeof(code);
    if (!HttpQueryInfoW(handle(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr))
      return 0;
    return static_cast<int>(code);
  }

 private:
  HINTERNET handle() const { return static_cast<HINTERNET>(request_.get()); }

  SharedHandle request_;  // Keeps its connection and session open.
};

class Win32InternetSession final : public InternetSession {
 public:
  explicit Win32InternetSession(SharedHandle session) : session_(std::move(session)) {}

  bool setTimeout(std::chrono::milliseconds timeout) override {
    timeout_ = static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 1, MAXDWORD));
    return applyTimeout(static_cast<HINTERNET>(session_.get()));
  }

  // What InternetOpenUrl does for an http address, made of its parts
  // (InternetConnect, HttpOpenRequest, HttpSendRequest) so that the timeouts can be
  // set on the connection: Windows hands the options of the session handle down to
  // the requests InternetOpenUrl makes, but Wine's WinINet ignores them there and
  // waits for a silent server for ever.
  std::unique_ptr<InternetRequest> openUrl(std::string_view url) override {
    const std::optional<HttpAddress> address = crackHttpAddress(win32::widen(url));
    if (!address) return nullptr;
    HINTERNET connect = InternetConnectW(static_cast<HINTERNET>(session_.get()), address->host.c_str(),
                                         address->port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (connect == nullptr) return nullptr;
    SharedHandle connection = shareHandle(connect, session_);
    if (timeout_ && !applyTimeout(connect)) return nullptr;

    // RELOAD asks the server itself, never the system's cache; NO_CACHE_WRITE keeps
    // the reply out of that cache, where a later request could find it.
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    if (address->secure) flags |= INTERNET_FLAG_SECURE;
    HINTERNET request =
        HttpOpenRequestW(connect, L"GET", address->object.c_str(), nullptr, nullptr, nullptr, flags, 0);
    if (request == nullptr) return nullptr;
    SharedHandle shared = shareHandle(request, std::move(connection));
    if (!HttpSendRequestW(request, nullptr, 0, nullptr, 0)) return nullptr;
    return std::make_unique<Win32InternetRequest>(std::move(shared));
  }

 private:
  // The connect, send and receive timeouts on handle.
  bool applyTimeout(HINTERNET handle) {
    bool set = true;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
      set = InternetSetOptionW(handle, option, &*timeout_, sizeof(DWORD)) != FALSE && set;
    return set;
  }

  SharedHandle session_;
  std::optional<DWORD> timeout_;
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

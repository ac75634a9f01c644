#include "task_scheduler_service.h"

#include <windows.h>

#include <chrono>
#include <thread>
#include <vector>

namespace velmora::e2e {
namespace {

constexpr const wchar_t* kService = L"Schedule";

class ServiceHandle {
 public:
  explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
  ~ServiceHandle() {
    if (handle_) CloseServiceHandle(handle_);
  }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;
  SC_HANDLE get() const { return handle_; }

 private:
  SC_HANDLE handle_;
};

DWORD currentState(SC_HANDLE service) {
  SERVICE_STATUS status{};
  return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

// Polls for the state wanted, for at most the seconds given.
bool reaches(SC_HANDLE service, DWORD state, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (currentState(service) == state) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

DWORD startTypeOf(SC_HANDLE service) {
  DWORD size = 0;
  QueryServiceConfigW(service, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size ? size : 1);
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
  return QueryServiceConfigW(service, config, size, &size) ? config->dwStartType : SERVICE_AUTO_START;
}

bool setStartType(SC_HANDLE service, DWORD type) {
  return ChangeServiceConfigW(service, SERVICE_NO_CHANGE, type, SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

TaskSchedulerOff::TaskSchedulerOff() {
  ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  ServiceHandle service(manager.get() ? OpenServiceW(manager.get(), kService, SERVICE_ALL_ACCESS) : nullptr);
  if (!service.get()) {
    failure_ = "the Schedule service cannot be opened";
    return;
  }
  startType_ = startTypeOf(service.get());
  if (!setStartType(service.get(), SERVICE_DISABLED)) {
    failure_ = "the Schedule service cannot be disabled";
    return;
  }
  changed_ = true;
  // A service that services.exe is still starting is stopped once it runs.
  const DWORD state = currentState(service.get());
  wasRunning_ = state == SERVICE_RUNNING || state == SERVICE_START_PENDING;
  if (state == SERVICE_START_PENDING) reaches(service.get(), SERVICE_RUNNING, 10);
  if (currentState(service.get()) == SERVICE_STOPPED) return;
  SERVICE_STATUS status{};
  if (ControlService(service.get(), SERVICE_CONTROL_STOP, &status) && reaches(service.get(), SERVICE_STOPPED, 3))
    return;
  // Wine's service does not take the stop control: the process that hosts it is
  // ended instead, as a crash would end it, and the service manager marks it stopped.
  SERVICE_STATUS_PROCESS process{};
  DWORD size = 0;
  if (QueryServiceStatusEx(service.get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&process), sizeof process,
                           &size) &&
      process.dwProcessId != 0)
    if (HANDLE host = OpenProcess(PROCESS_TERMINATE, FALSE, process.dwProcessId)) {
      TerminateProcess(host, 1);
      CloseHandle(host);
    }
  if (!reaches(service.get(), SERVICE_STOPPED, 10)) failure_ = "the Schedule service does not stop";
}

TaskSchedulerOff::~TaskSchedulerOff() {
  if (!changed_) return;
  ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  ServiceHandle service(manager.get() ? OpenServiceW(manager.get(), kService, SERVICE_ALL_ACCESS) : nullptr);
  if (!service.get()) return;
  setStartType(service.get(), startType_);
  if (wasRunning_ && StartServiceW(service.get(), 0, nullptr)) reaches(service.get(), SERVICE_RUNNING, 10);
}

}  // namespace velmora::e2e

#include "platform/win32/task_scheduler_win32.h"

#include <windows.h>

#include <oleauto.h>
#include <sddl.h>
#include <taskschd.h>

#include <cstdio>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/task_xml.h"
#include "platform/win32/com.h"
#include "platform/win32/system_info_win32.h"
#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

using win32::ComRef;
using win32::ComScope;

// The scheduler's class and interface, which not every tool set's import
// libraries define.
constexpr GUID kClsidTaskScheduler = {0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};
constexpr GUID kIidTaskService = {0x2faba4c7, 0x4da9, 0x4013, {0x96, 0x97, 0x20, 0xcc, 0x3f, 0xd4, 0x0f, 0x85}};

// What "not there" looks like for a task or its folder.
bool isAbsent(HRESULT result) {
  return result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || result == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

// What a service that is not running answers: the scheduler's own code, which
// Connect returns when the service is stopped or disabled (Wine returns it too),
// and the RPC and service-control errors a call to a service that went away or
// was never started can end with.
bool isUnavailable(HRESULT result) {
  constexpr HRESULT kServiceNotRunning = static_cast<HRESULT>(0x80041315);    // SCHED_E_SERVICE_NOT_RUNNING
  constexpr HRESULT kServiceNotInstalled = static_cast<HRESULT>(0x8004130C);  // SCHED_E_SERVICE_NOT_INSTALLED
  return result == kServiceNotRunning || result == kServiceNotInstalled ||
         result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || result == HRESULT_FROM_WIN32(ERROR_SERVICE_DISABLED) ||
         result == HRESULT_FROM_WIN32(ERROR_SERVICE_NOT_ACTIVE);
}

TaskReading failedReading(HRESULT result) {
  return {isUnavailable(result) ? TaskStatus::unavailable : TaskStatus::failed, {}, static_cast<std::uint32_t>(result)};
}

std::uint32_t codeOf(HRESULT result) { return FAILED(result) ? static_cast<std::uint32_t>(result) : 0; }

// A BSTR that is freed once.
class Bstr {
 public:
  explicit Bstr(std::string_view utf8) : value_(SysAllocString(win32::widen(utf8).c_str())) {}
  Bstr() = default;
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return value_; }
  BSTR* out() { return &value_; }

 private:
  BSTR value_ = nullptr;
};

VARIANT emptyVariant() {
  VARIANT v;
  VariantInit(&v);
  return v;
}

// "Folder\Name" split at its last backslash, the folder as a path from the root.
struct TaskPath {
  std::string folder;
  std::string name;
};
TaskPath splitPath(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  TaskPath split{"\\", std::string(path)};
  if (slash == std::string_view::npos) return split;
  split.folder += path.substr(0, slash);
  split.name = path.substr(slash + 1);
  return split;
}

// The connected service; failed holds why there is none.
struct Connection {
  ComScope com;
  ComRef<ITaskService> service;
  HRESULT failed = S_OK;

  Connection() {
    if (!com.usable()) {
      failed = E_FAIL;
      return;
    }
    failed = CoCreateInstance(kClsidTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, kIidTaskService, service.out());
    if (FAILED(failed)) return;
    const VARIANT none = emptyVariant();
    failed = service->Connect(none, none, none, none);
  }

  HRESULT folder(const std::string& path, ComRef<ITaskFolder>& out) {
    Bstr name(path);
    return service->GetFolder(name.get(), reinterpret_cast<ITaskFolder**>(out.out()));
  }
};

// The account the task runs as, "DOMAIN\user" as Task Scheduler names it.
std::string currentUserId() {
  wchar_t user[257];
  DWORD size = 257;
  if (!GetUserNameW(user, &size)) return {};
  wchar_t domain[256];
  const DWORD length = GetEnvironmentVariableW(L"USERDOMAIN", domain, 256);
  const std::string name = win32::narrow(user);
  if (length == 0 || length >= 256) return name;
  return win32::narrow(std::wstring_view(domain, length)) + "\\" + name;
}

// The security identifier, as text, of an account name; empty when the system
// cannot say (an unknown name, a domain that cannot be reached).
std::string sidTextOf(const std::wstring& account) {
  DWORD sidSize = 0;
  DWORD domainSize = 0;
  SID_NAME_USE use;
  LookupAccountNameW(nullptr, account.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
  if (sidSize == 0 || domainSize == 0) return {};
  std::vector<BYTE> sid(sidSize);
  std::wstring domain(domainSize, L'\0');
  if (!LookupAccountNameW(nullptr, account.c_str(), sid.data(), &sidSize, domain.data(), &domainSize, &use))
    return {};
  LPWSTR text = nullptr;
  if (!ConvertSidToStringSidW(sid.data(), &text)) return {};
  std::string sidText = win32::narrow(text);
  LocalFree(text);
  return sidText;
}

bool sameText(std::string_view a, std::string_view b) {
  const std::wstring wideA = win32::widen(a);
  const std::wstring wideB = win32::widen(b);
  return CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                              static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

// Whether the task defined by xml runs as the calling account: its principal is
// the caller's "DOMAIN\user", or an account name or identifier that stands for the
// caller's security identifier. A definition that names no account runs as
// whoever registered it, and only that user (or an administrator) can read it.
bool runsAsCaller(std::string_view xml) {
  const std::string named = taskPrincipalUser(xml);
  if (named.empty() || sameText(named, currentUserId())) return true;
  const std::optional<std::string> caller = Win32SystemInfo().currentUserSid();
  if (!caller) return false;
  if (named.starts_with("S-1-") || named.starts_with("s-1-")) return sameText(named, *caller);
  const std::string sid = sidTextOf(win32::widen(named));
  return !sid.empty() && sameText(sid, *caller);
}

std::string todayText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[16];
  std::snprintf(date, sizeof date, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
  return date;
}

}  // namespace

TaskReading Win32TaskScheduler::readTask(std::string_view path) {
  Connection connection;
  if (FAILED(connection.failed)) return failedReading(connection.failed);
  const TaskPath where = splitPath(path);
  ComRef<ITaskFolder> folder;
  HRESULT result = connection.folder(where.folder, folder);
  if (isAbsent(result)) return {TaskStatus::absent, {}, {}};
  if (FAILED(result)) return failedReading(result);
  ComRef<IRegisteredTask> task;
  Bstr name(where.name);
  result = folder->GetTask(name.get(), reinterpret_cast<IRegisteredTask**>(task.out()));
  if (isAbsent(result)) return {TaskStatus::absent, {}, {}};
  if (FAILED(result)) return failedReading(result);
  Bstr xml;
  result = task->get_Xml(xml.out());
  if (FAILED(result)) return failedReading(result);
  const std::string text = win32::narrow(std::wstring_view(xml.get(), SysStringLen(xml.get())));
  const std::optional<TaskDefinition> read = readTaskXml(text);
  // A task whose action is no program is of no kind this program sets.
  TaskDefinition other;
  other.trigger = TaskTrigger::other;
  return {TaskStatus::found, read ? *read : other, {}, runsAsCaller(text)};
}

std::uint32_t Win32TaskScheduler::registerTask(std::string_view path, const TaskDefinition& task) {
  Connection connection;
  if (FAILED(connection.failed)) return codeOf(connection.failed);
  const TaskPath where = splitPath(path);
  ComRef<ITaskFolder> folder;
  HRESULT result = connection.folder(where.folder, folder);
  if (isAbsent(result)) {
    ComRef<ITaskFolder> root;
    result = connection.folder("\\", root);
    if (FAILED(result)) return codeOf(result);
    Bstr name(where.folder);
    result = root->CreateFolder(name.get(), emptyVariant(), reinterpret_cast<ITaskFolder**>(folder.out()));
  }
  if (FAILED(result)) return codeOf(result);
  // One XML definition stands for the whole task, the weekly trigger included,
  // which the tool set's headers have no interface for. The interactive token
  // runs it as the user who registers it, only while that user is logged on, so
  // no password is stored. Wine (8) takes the same call but writes the definition
  // again from what it parsed, without the triggers, the action and the logon
  // type; read back there, the task is of no kind the window can show.
  Bstr name(where.name);
  Bstr xml(taskXml(task, todayText(), currentUserId()));
  ComRef<IRegisteredTask> registered;
  result = folder->RegisterTask(name.get(), xml.get(), TASK_CREATE_OR_UPDATE, emptyVariant(), emptyVariant(),
                                TASK_LOGON_INTERACTIVE_TOKEN, emptyVariant(),
                                reinterpret_cast<IRegisteredTask**>(registered.out()));
  return codeOf(result);
}

std::uint32_t Win32TaskScheduler::deleteTask(std::string_view path) {
  Connection connection;
  if (FAILED(connection.failed)) return codeOf(connection.failed);
  const TaskPath where = splitPath(path);
  ComRef<ITaskFolder> folder;
  HRESULT result = connection.folder(where.folder, folder);
  if (isAbsent(result)) return 0;
  if (FAILED(result)) return codeOf(result);
  Bstr name(where.name);
  result = folder->DeleteTask(name.get(), 0);
  return isAbsent(result) ? 0 : codeOf(result);
}

}  // namespace velmora::platform

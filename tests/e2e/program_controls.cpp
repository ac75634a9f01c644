#include "program_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace velmora::e2e {
namespace {

// Longest text read from a control: a full path with room to spare.
constexpr std::size_t kTextRoom = 1024;

// How long the program may take to answer one message before the test gives up
// on it rather than hang with it.
constexpr UINT kAnswerLimitMs = 30000;

// The visible descendants of root of one window class, in the order Windows
// lists them. They are gathered first and looked at afterwards, so that nothing
// that may throw runs inside the system's callback.
std::vector<HWND> visibleChildren(HWND root, const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    std::vector<HWND> found;
  } search{className, {}};
  EnumChildWindows(
      root,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t name[64];
        GetClassNameW(child, name, 64);
        // IsWindowVisible also asks the ancestors, so controls on a hidden page are out.
        if (IsWindowVisible(child) && _wcsicmp(name, s->className) == 0) s->found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The text a message wrote into a buffer at offset in the program's memory.
std::wstring textAt(const RemoteMemory& memory, std::size_t offset) {
  std::wstring text(kTextRoom, L'\0');
  memory.read(offset, text.data(), kTextRoom * sizeof(wchar_t));
  text.resize(std::min(text.find(L'\0'), kTextRoom - 1));
  return text;
}

// A structure followed by its text buffer, both in the program's memory: the
// structure is written with pszText pointing to the buffer.
template <typename Structure>
std::wstring askForText(HWND control, UINT message, WPARAM wParam, Structure s, LRESULT* result = nullptr) {
  RemoteMemory memory(control, sizeof(Structure) + kTextRoom * sizeof(wchar_t));
  s.pszText = reinterpret_cast<wchar_t*>(memory.address(sizeof(Structure)));
  s.cchTextMax = static_cast<int>(kTextRoom);
  memory.write(0, &s, sizeof s);
  const LRESULT answer = sendTo(control, message, wParam, memory.address());
  if (result) *result = answer;
  return textAt(memory, sizeof(Structure));
}

void leftClick(HWND window, POINT at) {
  // Sent, not posted: the click has had its effect when the call returns.
  sendTo(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  sendTo(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

}  // namespace

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerLimitMs, &result))
    throw std::runtime_error("the program did not answer message " + std::to_string(message) + " within " +
                             std::to_string(kAnswerLimitMs / 1000) + " s");
  return static_cast<LRESULT>(result);
}

void clickButton(HWND button) { sendTo(button, BM_CLICK, 0, 0); }

void postClick(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

RemoteMemory::RemoteMemory(HWND windowOfProcess, std::size_t size) : size_(size) {
  DWORD processId = 0;
  GetWindowThreadProcessId(windowOfProcess, &processId);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process_) throw std::runtime_error("cannot open the program's process");
  block_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!block_) {
    CloseHandle(process_);
    throw std::runtime_error("cannot allocate memory in the program's process");
  }
}

RemoteMemory::~RemoteMemory() {
  VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
  CloseHandle(process_);
}

LPARAM RemoteMemory::address(std::size_t offset) const {
  return reinterpret_cast<LPARAM>(static_cast<char*>(block_) + offset);
}

void RemoteMemory::write(std::size_t offset, const void* data, std::size_t size) {
  if (offset + size > size_ ||
      !WriteProcessMemory(process_, static_cast<char*>(block_) + offset, data, size, nullptr))
    throw std::runtime_error("cannot write to the program's memory");
}

void RemoteMemory::read(std::size_t offset, void* data, std::size_t size) const {
  if (offset + size > size_ ||
      !ReadProcessMemory(process_, static_cast<char*>(block_) + offset, data, size, nullptr))
    throw std::runtime_error("cannot read the program's memory");
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

HWND waitForMessageBoxButton(const wchar_t* caption, const wchar_t* button, std::chrono::milliseconds limit) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        HWND box = FindWindowW(L"#32770", caption);
        return box && (found = findVisibleChild(box, L"Button", button)) != nullptr;
      },
      limit);
  return found;
}

std::wstring windowText(HWND window) {
  wchar_t text[kTextRoom];
  const int length = GetWindowTextW(window, text, static_cast<int>(kTextRoom));
  return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

HWND findVisibleChild(HWND root, const wchar_t* className, const wchar_t* text) {
  for (HWND child : visibleChildren(root, className))
    if (!text || windowText(child) == text) return child;
  return nullptr;
}

HWND labelBeside(HWND root, const wchar_t* title) {
  HWND label = findVisibleChild(root, L"Static", title);
  return label ? GetWindow(label, GW_HWNDNEXT) : nullptr;
}

HWND findListView(HWND root, const std::wstring& firstColumnCaption) {
  for (HWND list : visibleChildren(root, WC_LISTVIEWW))
    if (listColumnCaption(list, 0) == firstColumnCaption) return list;
  return nullptr;
}

int listRowCount(HWND list) { return static_cast<int>(sendTo(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring listCellText(HWND list, int row, int column) {
  LVITEMW item{};
  item.iSubItem = column;
  return askForText(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), item);
}

std::wstring listColumnCaption(HWND list, int column) {
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT;
  LRESULT found = 0;
  std::wstring caption = askForText(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), c, &found);
  return found ? caption : std::wstring();
}

bool listRowChecked(HWND list, int row) {
  // State image 2 is the checked box, 1 the empty one.
  const auto state = sendTo(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

int findListRow(HWND list, const std::wstring& caption) {
  for (int row = 0; row < listRowCount(list); ++row)
    if (listCellText(list, row, 0) == caption) return row;
  return -1;
}

bool clickListCheckBox(HWND list, int row) {
  RemoteMemory memory(list, sizeof(LVHITTESTINFO) + sizeof(RECT));
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  memory.write(0, &bounds, sizeof bounds);
  if (!sendTo(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), memory.address())) return false;
  memory.read(0, &bounds, sizeof bounds);
  // The check box sits at the row's left end, before the icon and the text.
  for (int x = bounds.left; x < bounds.left + 40; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = {x, (bounds.top + bounds.bottom) / 2};
    memory.write(0, &hit, sizeof hit);
    const auto found = sendTo(list, LVM_HITTEST, 0, memory.address());
    memory.read(0, &hit, sizeof hit);
    if (found == row && (hit.flags & LVHT_ONITEMSTATEICON)) {
      leftClick(list, hit.pt);
      return true;
    }
  }
  return false;
}

bool clickListRow(HWND list, int row) {
  RemoteMemory memory(list, sizeof(RECT));
  RECT label{};
  label.left = LVIR_LABEL;
  memory.write(0, &label, sizeof label);
  if (!sendTo(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), memory.address())) return false;
  memory.read(0, &label, sizeof label);
  leftClick(list, {(label.left + label.right) / 2, (label.top + label.bottom) / 2});
  return true;
}

std::wstring statusBarText(HWND bar) {
  RemoteMemory memory(bar, kTextRoom * sizeof(wchar_t));
  // The program's bar is in simple mode, whose text part 0 reads (Wine answers
  // nothing for SB_SIMPLEID, which only setting the text takes).
  sendTo(bar, SB_GETTEXTW, 0, memory.address());
  return textAt(memory, 0);
}

void clickTab(HWND tabs, int index) {
  RemoteMemory memory(tabs, sizeof(RECT));
  if (!sendTo(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), memory.address()))
    throw std::runtime_error("the page control has no tab " + std::to_string(index));
  RECT tab{};
  memory.read(0, &tab, sizeof tab);
  leftClick(tabs, {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
}

namespace {

// Makes window the foreground window and sends the key events through the
// system's input, so that they arrive through the program's input queue with
// the key states set, as a user's typing does.
bool sendKeys(HWND window, const std::vector<std::pair<WORD, DWORD>>& events) {
  SetForegroundWindow(window);
  if (!waitUntil([window] { return GetForegroundWindow() == window; }, std::chrono::seconds(5))) return false;
  std::vector<INPUT> keys(events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = events[i].first;
    keys[i].ki.dwFlags = events[i].second;
  }
  return SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

}  // namespace

bool typeCtrlKey(HWND window, WORD key) {
  return sendKeys(window, {{VK_CONTROL, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}});
}

bool typeKeys(HWND window, std::initializer_list<WORD> keys) {
  std::vector<std::pair<WORD, DWORD>> events;
  for (WORD key : keys) {
    events.emplace_back(key, 0);
    events.emplace_back(key, KEYEVENTF_KEYUP);
  }
  return sendKeys(window, events);
}

}  // namespace velmora::e2e

#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>

namespace velmora::e2e {

// Working the controls of the program's windows from the test, which is another
// process. Messages whose arguments are plain numbers go as they are; a message
// that passes a structure or a text buffer needs that memory in the program's
// process, because Wine, like Windows, copies no list-view, tab or status-bar
// structure from one process to another.

// A block of read-write memory in the process that owns a window, freed with the
// object.
class RemoteMemory {
 public:
  RemoteMemory(HWND windowOfProcess, std::size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  // The block's address in the other process, to put into a message or a structure.
  LPARAM address(std::size_t offset = 0) const;
  void write(std::size_t offset, const void* data, std::size_t size);
  void read(std::size_t offset, void* data, std::size_t size) const;

 private:
  HANDLE process_ = nullptr;
  void* block_ = nullptr;
  std::size_t size_ = 0;
};

// SendMessageW with a limit: throws std::runtime_error when the program has not
// answered within 30 s, so that a hung program fails the test instead of
// stopping it.
LRESULT sendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Clicks a button (BM_CLICK); returns once the program has handled the click.
void clickButton(HWND button);
// Clicks a button whose handler asks a question: posted, since the handler stays
// busy until the question is answered.
void postClick(HWND button);

// Polls condition until it holds or limit has passed; whether it held. Every wait
// of the end-to-end tests is bounded by this, never a fixed sleep.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

std::wstring windowText(HWND window);

// The button of a message box with the given caption, once the box is shown (it
// exists a moment before): null when none was within the limit.
HWND waitForMessageBoxButton(const wchar_t* caption, const wchar_t* button, std::chrono::milliseconds limit);

// The first visible descendant of root of the window class className whose text
// is text (any text when text is null); null when there is none.
HWND findVisibleChild(HWND root, const wchar_t* className, const wchar_t* text = nullptr);
// The control that follows the visible static text title below root, in the
// order its parent lists them: the value label beside its title label.
HWND labelBeside(HWND root, const wchar_t* title);
// The visible report list below root whose first column has the caption given.
HWND findListView(HWND root, const std::wstring& firstColumnCaption);

// Rows, cells and check marks of a report list.
int listRowCount(HWND list);
std::wstring listCellText(HWND list, int row, int column);
std::wstring listColumnCaption(HWND list, int column);
bool listRowChecked(HWND list, int row);
// The row whose first cell reads caption; -1 when none does.
int findListRow(HWND list, const std::wstring& caption);
// Clicks the check box of a row where the list's own hit test finds it; false
// when the row shows none.
bool clickListCheckBox(HWND list, int row);
// Clicks a row's text, which selects the row; false when the row is not there.
bool clickListRow(HWND list, int row);

// The text of a simple-mode status bar, as the control holds it.
std::wstring statusBarText(HWND bar);

// Clicks the tab of the given index in a tab control.
void clickTab(HWND tabs, int index);

// Makes window the foreground window and types Ctrl with key as a user does, so
// that it arrives through the program's input queue with the key states set.
bool typeCtrlKey(HWND window, WORD key);
// The same with a sequence of keys, each pressed and released in turn: menus
// are opened from the keyboard so ("F10, Right, Down" opens the second menu).
bool typeKeys(HWND window, std::initializer_list<WORD> keys);

}  // namespace velmora::e2e

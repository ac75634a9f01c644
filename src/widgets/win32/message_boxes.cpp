#include "widgets/win32/message_boxes.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace velmora::widgets::win32 {

MessageAnswer Win32Dialogs::messageBox(const MessageBoxRequest& request) {
  UINT flags = request.buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
  switch (request.icon) {
    case MessageIcon::None:
      break;
    case MessageIcon::Information:
      flags |= MB_ICONINFORMATION;
      break;
    case MessageIcon::Question:
      flags |= MB_ICONQUESTION;
      break;
    case MessageIcon::Warning:
      flags |= MB_ICONWARNING;
      break;
    case MessageIcon::Error:
      flags |= MB_ICONERROR;
      break;
  }
  // The active window of this thread owns the box, so that it is modal to it;
  // with none (the main window is in the tray), the box is modal to the thread.
  HWND owner = GetActiveWindow();
  if (!owner) flags |= MB_TASKMODAL;
  const int answer = MessageBoxW(owner, platform::win32::widen(request.text).c_str(),
                                 platform::win32::widen(request.caption).c_str(), flags);
  if (request.buttons == MessageButtons::YesNo)
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
  return MessageAnswer::Ok;
}

}  // namespace velmora::widgets::win32

#pragma once

#include "widgets/dialog_service.h"

namespace velmora::widgets::win32 {

// The system's message boxes, modal to the thread's active window.
class Win32Dialogs : public DialogService {
 public:
  MessageAnswer messageBox(const MessageBoxRequest& request) override;
};

}  // namespace velmora::widgets::win32

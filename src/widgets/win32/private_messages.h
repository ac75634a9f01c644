#pragma once

#include <windows.h>

namespace velmora::widgets::win32 {

// Private messages of this layer's windows: WM_APP + n, never WM_USER + n, which
// dialogs and the common controls use for their own messages.
inline constexpr UINT kWakeMessage = WM_APP + 1;      // the UI queue has tasks
inline constexpr UINT kSyncRowsMessage = WM_APP + 2;  // a list view's row count is due
inline constexpr UINT kTrayMessage = WM_APP + 3;      // the notification area reports a mouse event

}  // namespace velmora::widgets::win32

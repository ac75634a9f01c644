#pragma once

#include <cstdint>
#include <functional>

#include "memory/qzmaxmem.h"
#include "platform/memory.h"
#include "widgets/buttons.h"
#include "widgets/form.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/spin_edit.h"
#include "widgets/timer.h"

namespace velmora::memory {

// The three settings of the window, held by the main window and kept in its
// settings file: megabytes to free ("trytofree"), the repeat interval in minutes
// ("delay") and the automatic-freeing switch ("autodefrag"). The last two are
// shown and stored but start nothing.
struct MemorySettings {
  int tryToFree = 64;
  int delay = 20;
  bool autoDefrag = false;
};

// The Free Memory window: total and free physical memory, refreshed every
// second by TimerMem whether the window is shown or not, how many megabytes to
// free, and the two stored settings "Free each (min)" and "auto defrag", which
// start nothing. Freeing runs on the UI thread and blocks it until it ends; it
// shows nothing.
class TFormMemory : public widgets::Form {
 public:
  // memory must outlive the window.
  TFormMemory(widgets::Application& app, platform::Memory& memory);

  // Call points for the main window, which holds the settings. onLoadSettings
  // runs on every showing and gives the values the fields show (each clamped
  // into its field's range); onStoreSettings runs on every closing, by Abort or
  // the close box, with the values the fields hold.
  std::function<MemorySettings()> onLoadSettings;
  std::function<void(const MemorySettings&)> onStoreSettings;

  // The tray's "Free Ram": the freeing decision with the amount in
  // CSpinEditTryFree, without showing the window.
  void FreeRamNow();

  // Whole megabytes of physical memory, total and free, as the last timer tick
  // measured them; 0 until the first tick.
  std::int64_t TotalMB = 0;
  std::int64_t FreeMB = 0;

  widgets::Label LabelRamTotalTitle{*this, "LabelRamTotalTitle", "RAM Total:"};
  widgets::Label LabelRamTotal{*this, "LabelRamTotal", "xxx"};
  widgets::Label LabelRamFreeTitle{*this, "LabelRamFreeTitle", "RAM Free:"};
  widgets::Label LabelRamFree{*this, "LabelRamFree", "xxx"};
  widgets::Label LabelTryFree{*this, "LabelTryFree", "Try to free (MB):"};
  widgets::SpinEdit CSpinEditTryFree{*this, "CSpinEditTryFree"};
  widgets::Label LabelElapsedTime{*this, "LabelElapsedTime", "Free each (min):"};
  widgets::SpinEdit CSpinEditElapsedTime{*this, "CSpinEditElapsedTime"};
  widgets::CheckBox cbAutoDefrag{*this, "cbAutoDefrag", "auto defrag"};
  widgets::ProgressBar pbMem{*this, "pbMem"};
  widgets::Button ButtonClean{*this, "ButtonClean", "Clean"};
  widgets::Button ButtonAbort{*this, "ButtonAbort", "Abort"};
  widgets::Timer TimerMem{*this, "TimerMem"};
  // None of its events is connected: the window shows no progress.
  TqzMaxMem qzMaxMem1;

 private:
  // The window is as wide as the longest figure needs at the display's scale,
  // and the figures, the check box and the buttons are placed by that width.
  void placeByFigureWidth();
  void FormShow();
  void FormDpiChanged();
  void FormClose();
  void TimerMemTimer();
  void ButtonCleanClick();
  void ButtonAbortClick();

  // All of the memory when the amount asked for is below the free figure,
  // otherwise that amount.
  void FreeMemory(int megabytes);
};

}  // namespace velmora::memory

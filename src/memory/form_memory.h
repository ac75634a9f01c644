#pragma once

#include "widgets/buttons.h"
#include "widgets/form.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/spin_edit.h"
#include "widgets/timer.h"

namespace velmora::memory {

// The Free Memory window: total and free physical memory, refreshed every
// second by TimerMem whether the window is shown or not, how many megabytes to
// free, and the two stored settings "Free each (min)" and "auto defrag", which
// start nothing.
class TFormMemory : public widgets::Form {
 public:
  explicit TFormMemory(widgets::Application& app);

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

 private:
  void FormShow();
  void FormClose();
  void TimerMemTimer();
  void ButtonCleanClick();
  void ButtonAbortClick();
};

}  // namespace velmora::memory

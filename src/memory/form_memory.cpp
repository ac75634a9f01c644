#include "memory/form_memory.h"

namespace velmora::memory {

TFormMemory::TFormMemory(widgets::Application& app) : Form(app, "TFormMemory") {
  setCaption("Free Memory");
  setBorderStyle(widgets::BorderStyle::Dialog);
  setClientSize(203, 186);
  setPlacement(widgets::FormPlacement::OwnerCenter);

  LabelRamTotalTitle.setPosition(15, 13);
  LabelRamTotal.setPosition(120, 13);
  LabelRamFreeTitle.setPosition(15, 32);
  LabelRamFree.setPosition(120, 32);
  LabelTryFree.setPosition(15, 62);
  CSpinEditTryFree.setBounds({120, 56, 57, 22});
  CSpinEditTryFree.setRange(0, 2048);
  CSpinEditTryFree.setIncrement(8);
  LabelElapsedTime.setPosition(15, 84);
  CSpinEditElapsedTime.setBounds({120, 80, 57, 22});
  CSpinEditElapsedTime.setRange(0, 3600);
  CSpinEditElapsedTime.setIncrement(5);
  // Wider than the 106 pixels first drawn for it, up to the window's edge: the
  // translations of its caption ("free automatically", "освобождать
  // автоматически") need the room.
  cbAutoDefrag.setBounds({15, 105, 188, 18});
  // The bar is part of the window's design but is never shown.
  pbMem.setBounds({7, 133, 170, 7});
  pbMem.setRange(0, 100);
  pbMem.setVisible(false);
  ButtonClean.setBounds({8, 152, 81, 25});
  ButtonAbort.setBounds({96, 152, 81, 25});
  TimerMem.setInterval(1000);
  TimerMem.setEnabled(true);

  onShow = [this] { FormShow(); };
  onClose = [this] { FormClose(); };
  TimerMem.onTimer = [this] { TimerMemTimer(); };
  ButtonClean.onClick = [this] { ButtonCleanClick(); };
  ButtonAbort.onClick = [this] { ButtonAbortClick(); };
}

// The window's own behaviour comes with the memory defragmenter it drives. The
// four handlers below are bound to their events already and are where it goes;
// until then they leave the window as designed.

// Will load the main window's "trytofree", "delay" and "autodefrag" settings
// into the two spin fields and the check box, each clamped to its field.
void TFormMemory::FormShow() {}

// Will store the two spin fields and the check box back into the main window's
// settings, by Abort and by the close box alike.
void TFormMemory::FormClose() {}

// Will refresh TotalMB, FreeMB and the two figures every second, shown or not.
void TFormMemory::TimerMemTimer() {}

// Will free memory: all of it when the amount asked for is below the free
// figure, and otherwise that amount.
void TFormMemory::ButtonCleanClick() {}

// Asks the defragmenter to abort (once it exists), then closes. Freeing runs
// on this thread and blocks it, so an abort never meets a running freeing; its
// visible effect is the closing.
void TFormMemory::ButtonAbortClick() { close(); }

}  // namespace velmora::memory

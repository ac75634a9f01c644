#include "memory/form_memory.h"

#include <algorithm>
#include <string>

#include "widgets/application.h"

namespace velmora::memory {
namespace {

// The two figures stand in the column of the spin fields and reach to the
// window's right margin. The designed window, 203 pixels wide, clips a five-digit figure;
// it is widened as far as the longest figure needs, that of a machine with
// 1 TiB.
constexpr int kDesignedClientWidth = 203;
constexpr int kValueLeft = 120;
constexpr int kRightMargin = 8;
constexpr const char* kLongestFigure = "1048576 Mb (100%)";
// Clean and Abort, 81 pixels wide and 7 apart, centred below.
constexpr int kButtonWidth = 81;
constexpr int kButtonGap = 7;

std::string megabytesText(std::int64_t megabytes) { return std::to_string(megabytes) + " Mb"; }

// The free share of the total, truncated; 0 for a total below one megabyte,
// which leaves nothing to divide by.
std::int64_t freePercent(std::int64_t freeMB, std::int64_t totalMB) {
  return totalMB > 0 ? freeMB * 100 / totalMB : 0;
}

}  // namespace

TFormMemory::TFormMemory(widgets::Application& app, platform::Memory& memory)
    : Form(app, "TFormMemory"), qzMaxMem1(*this, "qzMaxMem1", memory) {
  setCaption("Free Memory");
  setBorderStyle(widgets::BorderStyle::Dialog);
  LabelRamTotalTitle.setPosition(15, 13);
  LabelRamFreeTitle.setPosition(15, 32);
  LabelTryFree.setPosition(15, 62);
  CSpinEditTryFree.setRange(0, 2048);
  CSpinEditTryFree.setIncrement(8);
  LabelElapsedTime.setPosition(15, 84);
  CSpinEditElapsedTime.setRange(0, 3600);
  CSpinEditElapsedTime.setIncrement(5);
  // The bar is part of the window's design but is never shown.
  pbMem.setBounds({7, 133, 170, 7});
  pbMem.setRange(0, 100);
  pbMem.setVisible(false);
  setPlacement(widgets::FormPlacement::OwnerCenter);
  placeByFigureWidth();
  TimerMem.setInterval(1000);
  TimerMem.setEnabled(true);

  onShow = [this] { FormShow(); };
  onDpiChanged = [this] { FormDpiChanged(); };
  onClose = [this] { FormClose(); };
  TimerMem.onTimer = [this] { TimerMemTimer(); };
  ButtonClean.onClick = [this] { ButtonCleanClick(); };
  ButtonAbort.onClick = [this] { ButtonAbortClick(); };
  ButtonClean.setDefault(true);
  ButtonAbort.setCancel(true);
}

void TFormMemory::placeByFigureWidth() {
  const int figureWidth = LabelRamFree.textSize(kLongestFigure).width;
  setClientSize(std::max(kDesignedClientWidth, kValueLeft + figureWidth + kRightMargin), 186);
  const auto placeFigure = [this](widgets::Label& figure, int top) {
    figure.setAutoSize(false);
    figure.setBounds({kValueLeft, top, clientWidth() - kValueLeft - kRightMargin, figure.height()});
  };
  placeFigure(LabelRamTotal, 13);
  placeFigure(LabelRamFree, 32);
  CSpinEditTryFree.setBounds({kValueLeft, 56, 57, 22});
  CSpinEditElapsedTime.setBounds({kValueLeft, 80, 57, 22});
  // Wider than the 106 pixels first drawn for it, up to the window's edge: the
  // translations of its caption ("free automatically", "освобождать
  // автоматически") need the room.
  cbAutoDefrag.setBounds({15, 105, clientWidth() - 15, 18});
  const int buttonsLeft = (clientWidth() - 2 * kButtonWidth - kButtonGap) / 2;
  ButtonClean.setBounds({buttonsLeft, 152, kButtonWidth, 25});
  ButtonAbort.setBounds({buttonsLeft + kButtonWidth + kButtonGap, 152, kButtonWidth, 25});
}

void TFormMemory::FormDpiChanged() { placeByFigureWidth(); }

void TFormMemory::FormShow() {
  if (!onLoadSettings) return;
  const MemorySettings settings = onLoadSettings();
  CSpinEditTryFree.setValue(settings.tryToFree);
  CSpinEditElapsedTime.setValue(settings.delay);
  cbAutoDefrag.setChecked(settings.autoDefrag);
}

void TFormMemory::FormClose() {
  if (onStoreSettings)
    onStoreSettings({CSpinEditTryFree.value(), CSpinEditElapsedTime.value(), cbAutoDefrag.checked()});
}

void TFormMemory::TimerMemTimer() {
  TotalMB = static_cast<std::int64_t>(qzMaxMem1.TotalMemory() >> 20);
  FreeMB = static_cast<std::int64_t>(qzMaxMem1.FreeMemory() >> 20);
  LabelRamTotal.setCaption(megabytesText(TotalMB));
  LabelRamFree.setCaption(megabytesText(FreeMB) + " (" + std::to_string(freePercent(FreeMB, TotalMB)) + "%)");
}

void TFormMemory::ButtonCleanClick() { FreeMemory(CSpinEditTryFree.value()); }

void TFormMemory::FreeRamNow() { FreeMemory(CSpinEditTryFree.value()); }

void TFormMemory::FreeMemory(int megabytes) {
  if (megabytes < FreeMB)
    qzMaxMem1.DefragAll();
  else
    qzMaxMem1.DefragMemory(megabytes);
}

// Freeing runs on this thread and blocks it, so an abort never meets a running
// freeing; its visible effect is the closing.
void TFormMemory::ButtonAbortClick() {
  qzMaxMem1.Abort();
  close();
}

}  // namespace velmora::memory

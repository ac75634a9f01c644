#pragma once

#include <functional>
#include <string_view>

#include "widgets/font.h"
#include "widgets/geometry.h"

namespace velmora::widgets {

class Application;
class DialogService;
class Form;
class PeerFactory;
class Timer;

// What the application needs of a window system: a message loop that also runs
// the UI queue, timers, peers for realized forms, message boxes and a few
// measurements. The Win32 backend drives real windows; the headless backend runs
// the same application without any.
class Backend {
 public:
  virtual ~Backend() = default;

  // Called once, on the UI thread, by the application this backend serves.
  virtual void attach(Application& app) = 0;

  // Makes native peers; null for a headless backend, whose forms stay headless.
  virtual PeerFactory* peerFactory() = 0;

  // The system's message boxes (or whatever stands for them).
  virtual DialogService& dialogs() = 0;

  // Any thread: tasks wait in the application's queue; the loop should run them
  // soon. Must return at once and never call back into the queue. False when the
  // nudge could not be delivered (a full message queue); the queue tries again.
  virtual bool wake() = 0;

  // Runs the loop, with the application's queue and timers, until done() is
  // true; done() is tested after each message and after each wake().
  virtual void runUntil(const std::function<bool()>& done) = 0;

  // Handles what is waiting now (messages, queued tasks, due timers) and returns.
  virtual void processMessages() = 0;

  // Repaints whatever waits to be painted, and nothing else: no input, no queued
  // task, no timer. For a long step on the UI thread that must keep its window
  // drawn without letting anything change under it.
  virtual void paintPending() {}

  // Starts (or restarts) a timer with its interval; stops it.
  virtual void startTimer(Timer& timer) = 0;
  virtual void stopTimer(Timer& timer) = 0;

  // The primary screen, and its part not covered by the task bar, in pixels.
  virtual Rect screen() const = 0;
  virtual Rect workArea() const = 0;

  // The size text takes in font on a display of dpi, in the units of
  // DisplayScale (rounded up, so that the text fits): the width of its widest
  // line, the height of all of its lines. Controls ask through textSize().
  virtual Size measureText(const Font& font, std::string_view text, int dpi) const = 0;

  // A form starts and ends its modal loop: the other forms stop taking input.
  virtual void beginModal(Form&) {}
  virtual void endModal(Form&) {}
};

}  // namespace velmora::widgets

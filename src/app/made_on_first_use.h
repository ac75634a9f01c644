#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace velmora::app {

// A window the main window owns but makes only when it is first used: most runs
// never open most of them, and each one made costs start-up time. The maker is
// set once, before any use; the window then lives until its holder goes.
template <class Window>
class MadeOnFirstUse {
 public:
  void setMaker(std::function<std::unique_ptr<Window>()> make) { make_ = std::move(make); }

  Window& operator*() { return get(); }
  Window* operator->() { return &get(); }
  Window& get() {
    if (!window_) window_ = make_();
    return *window_;
  }
  // The window if it has been made; null before its first use.
  Window* made() const { return window_.get(); }

 private:
  std::function<std::unique_ptr<Window>()> make_;
  std::unique_ptr<Window> window_;
};

}  // namespace velmora::app

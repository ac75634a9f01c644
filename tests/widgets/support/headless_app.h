#pragma once

#include <memory>

#include "scripted_dialogs.h"
#include "widgets/application.h"
#include "widgets/headless_backend.h"

namespace velmora::widgets::testing {

// A headless application whose message boxes go to scripted dialogs: what a
// test of a window needs to build its forms, act as the user and look at the
// result. Create it on the test's thread, which becomes the UI thread.
class HeadlessApp {
 public:
  HeadlessApp() : backend_(new HeadlessBackend), app(std::unique_ptr<Backend>(backend_)) {
    app.setDialogs(&dialogs);
  }

  HeadlessBackend& backend() { return *backend_; }

 private:
  HeadlessBackend* backend_;

 public:
  Application app;
  ScriptedDialogs dialogs;
};

}  // namespace velmora::widgets::testing

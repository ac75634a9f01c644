#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "fakes/fake_services.h"
#include "headless_app.h"

namespace velmora::app::testing {

// A headless program: the fake machine, the application with scripted message
// boxes, and the main window built on them as the program builds it. The
// language applier only records the names it was asked to apply.
class MainWindowTest : public ::testing::Test {
 protected:
  // Showing the window starts an update check on a thread of its own; offline, it
  // asks the fake machine nothing while a test works with it. A test of the update
  // check connects the machine.
  MainWindowTest() { machine.internet.isConnected = false; }

  // An update check the window started (showing it starts one) has ended before
  // the fake machine it asks goes.
  void TearDown() override {
    if (!form) return;
    while (!form->updateChecker().CheckFinished()) {
      h.app.runPendingTasks();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  static constexpr const char* kSettingsPath = "C:\\Program Files\\Velmora\\VelmoraDiskCleaner.ini";

  TForm1& create() {
    form = std::make_unique<TForm1>(h.app, machine.services, *machine.system.executable,
                                    [this](TForm1&, const std::string& name) { applied.push_back(name); });
    return *form;
  }

  // The main window with the program's own language loader, reading the language
  // files put below the program's folder.
  TForm1& createWithLanguageFiles() {
    form = std::make_unique<TForm1>(h.app, machine.services, *machine.system.executable);
    return *form;
  }
  void putLanguageFile(const std::string& name, const std::string& contents) {
    machine.textFiles.put("C:\\Program Files\\Velmora\\language\\" + name + ".ini", contents);
  }

  // Runs the program's message loop with the main window as the program does.
  // Once the show handler is done, whileShown acts as the user would, and then
  // the main window is closed unless whileShown ended the program itself. A
  // window shown modally on the way is recorded and answered by answerModal.
  int run(std::function<void()> whileShown = {}) {
    h.backend().onModal = [this](widgets::Form& shown) {
      modalWindows.push_back(shown.name());
      answerModal(shown);
    };
    std::function<void()> formShow = form->onShow;
    form->onShow = [this, formShow, whileShown] {
      formShow();
      h.app.post([this, whileShown] {
        if (whileShown) whileShown();
        if (!h.app.terminated()) form->close();
      });
    };
    return h.app.run(*form);
  }

  std::string settingsFile() const { return machine.textFiles.bytes(kSettingsPath).value_or("(none)"); }

  widgets::testing::HeadlessApp h;
  fakes::FakeServices machine;
  std::unique_ptr<TForm1> form;
  std::vector<std::string> applied;
  std::vector<std::string> modalWindows;
  std::function<void(widgets::Form&)> answerModal = [](widgets::Form& shown) { shown.userClose(); };
};

}  // namespace velmora::app::testing

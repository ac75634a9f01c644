#include "widgets/application.h"

#include <cstdio>

#include "widgets/form.h"

namespace velmora::widgets {

Application::Application(std::unique_ptr<Backend> backend)
    : backend_(std::move(backend)), queue_(std::make_shared<UiQueue>([b = backend_.get()] { return b->wake(); })) {
  queue_->onError = [this](std::exception_ptr error) { showException(std::move(error)); };
  backend_->attach(*this);
}

Application::~Application() {
  // Workers may still hold the queue: from now on their tasks are dropped and
  // their invokes return false instead of waiting for a loop that is gone.
  queue_->close();
}

int Application::run(Form& mainForm) {
  mainForm_ = &mainForm;
  terminated_ = false;
  guard([&] { mainForm.show(); });
  backend_->runUntil([this] { return terminated_; });
  return 0;
}

void Application::terminate() {
  terminated_ = true;
  backend_->wake();
}

void Application::guard(const std::function<void()>& call) noexcept {
  try {
    call();
  } catch (...) {
    showException(std::current_exception());
  }
}

void Application::showException(std::exception_ptr error) noexcept {
  std::string text = "Unknown error";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
  }
  try {
    dialogs().messageBox({text, title_, MessageButtons::Ok, MessageIcon::Error});
  } catch (...) {
    // Nothing is left to show it with; the loop still goes on.
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

bool Application::askYesNo(const std::string& text, const std::string& caption) {
  return messageBox({text, caption, MessageButtons::YesNo, MessageIcon::Question}) == MessageAnswer::Yes;
}

void Application::showMessage(const std::string& text) {
  messageBox({text, title_, MessageButtons::Ok, MessageIcon::None});
}

void Application::hideMainWindow() {
  if (mainForm_) mainForm_->sendToTray();
}

void Application::restoreMainWindow() {
  if (mainForm_) mainForm_->returnFromTray();
}

bool Application::mainWindowHidden() const { return mainForm_ && mainForm_->inTray(); }

}  // namespace velmora::widgets

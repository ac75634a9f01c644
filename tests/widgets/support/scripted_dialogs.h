#pragma once

#include <deque>
#include <vector>

#include "widgets/dialog_service.h"

namespace velmora::widgets::testing {

// Message boxes for tests: every box is recorded; a Yes/No box takes the next
// answer the test scripted, and a Yes/No box with none scripted is a mistake of
// the test (std::logic_error). OK boxes need no answer.
class ScriptedDialogs : public DialogService {
 public:
  void answer(MessageAnswer answer) { answers_.push_back(answer); }
  MessageAnswer messageBox(const MessageBoxRequest& request) override;

  const std::vector<MessageBoxRequest>& shown() const { return shown_; }
  void clear() { shown_.clear(); }

 private:
  std::deque<MessageAnswer> answers_;
  std::vector<MessageBoxRequest> shown_;
};

}  // namespace velmora::widgets::testing

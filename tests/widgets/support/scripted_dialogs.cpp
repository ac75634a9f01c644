#include "scripted_dialogs.h"

#include <stdexcept>

namespace velmora::widgets::testing {

MessageAnswer ScriptedDialogs::messageBox(const MessageBoxRequest& request) {
  shown_.push_back(request);
  if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers_.empty()) throw std::logic_error("no scripted answer for the question: " + request.text);
  const MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace velmora::widgets::testing

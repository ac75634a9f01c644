#pragma once

#include <string>

// Message boxes. The program shows them through this service so that tests can
// answer them (a scripted service) while the program uses the system's boxes.
namespace velmora::widgets {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question, Warning, Error };
enum class MessageAnswer { Ok, Yes, No };

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
};

class DialogService {
 public:
  virtual ~DialogService() = default;
  // Shows a modal message box and returns the button the user chose. The box
  // is modal to the application's active form.
  virtual MessageAnswer messageBox(const MessageBoxRequest& request) = 0;
};

}  // namespace velmora::widgets

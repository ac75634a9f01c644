#include "app/message_texts.h"

#include <stdexcept>

namespace velmora::app {

std::size_t MessageTexts::indexOf(std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (kKeys[i] == key) return i;
  throw std::out_of_range("no message text named " + std::string(key));
}

}  // namespace velmora::app

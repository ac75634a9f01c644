#include "widgets/shortcut.h"

#include <array>
#include <cctype>
#include <string>

namespace velmora::widgets {
namespace {

struct NamedKey {
  std::string_view name;
  int key;
};

constexpr std::array<NamedKey, 9> kNamedKeys{{{"Backspace", keys::Backspace},
                                              {"Tab", keys::Tab},
                                              {"Enter", keys::Enter},
                                              {"Esc", keys::Escape},
                                              {"Space", keys::Space},
                                              {"Ins", keys::Insert},
                                              {"Del", keys::Delete},
                                              {"Insert", keys::Insert},
                                              {"Delete", keys::Delete}}};

bool sameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

int keyFromName(std::string_view name) {
  if (name.size() == 1) {
    const unsigned char c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (std::isalnum(c)) return c;
    return 0;
  }
  if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
    int n = 0;
    for (char c : name.substr(1)) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
      n = n * 10 + (c - '0');
    }
    if (n >= 1 && n <= 12) return keys::F1 + n - 1;
    return 0;
  }
  for (const NamedKey& k : kNamedKeys)
    if (sameText(k.name, name)) return k.key;
  return 0;
}

}  // namespace

Shortcut Shortcut::parse(std::string_view text) {
  Shortcut result;
  while (true) {
    // The last part is the key; a "+" as the key itself ("Ctrl++") is not supported.
    const auto plus = text.find('+');
    if (plus == std::string_view::npos) break;
    const std::string_view modifier = text.substr(0, plus);
    if (sameText(modifier, "Ctrl"))
      result.ctrl = true;
    else if (sameText(modifier, "Shift"))
      result.shift = true;
    else if (sameText(modifier, "Alt"))
      result.alt = true;
    else
      return {};
    text.remove_prefix(plus + 1);
  }
  if (text.empty()) return {};
  result.key = keyFromName(text);
  if (result.key == 0) return {};
  return result;
}

std::string Shortcut::text() const {
  if (empty()) return {};
  std::string out;
  if (ctrl) out += "Ctrl+";
  if (shift) out += "Shift+";
  if (alt) out += "Alt+";
  if (key >= keys::F1 && key < keys::F1 + 12) return out + "F" + std::to_string(key - keys::F1 + 1);
  if (key < 128 && std::isalnum(key)) return out + static_cast<char>(key);
  for (const NamedKey& k : kNamedKeys)
    if (k.key == key) return out + std::string(k.name);
  return out + "?";
}

}  // namespace velmora::widgets

#include "app/language_loader.h"

#include <charconv>
#include <functional>

#include "app/language_keys.h"
#include "widgets/control.h"
#include "widgets/list_view.h"
#include "widgets/menu.h"

namespace velmora::app {
namespace {

// Where one key's text lives: how to read it and how to replace it.
struct Target {
  std::function<std::string()> get;
  std::function<void(std::string)> set;
};

std::vector<std::string_view> splitArrows(std::string_view key) {
  std::vector<std::string_view> parts;
  for (;;) {
    auto arrow = key.find("->");
    parts.push_back(key.substr(0, arrow));
    if (arrow == std::string_view::npos) return parts;
    key.remove_prefix(arrow + 2);
  }
}

// "Column[3]" gives 3; anything else nothing.
std::optional<int> columnIndex(std::string_view part) {
  if (!part.starts_with("Column[") || !part.ends_with("]")) return std::nullopt;
  part = part.substr(7, part.size() - 8);
  int index = -1;
  auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), index);
  if (error != std::errc{} || end != part.data() + part.size() || index < 0) return std::nullopt;
  return index;
}

// The caption of a named component of form: a control's caption, a menu item's
// caption, or with a column part a list view's column header.
std::optional<Target> captionOf(widgets::Form& form, std::string_view name, std::optional<int> column) {
  widgets::Component* component = form.findComponent(name);
  if (component == nullptr) return std::nullopt;
  if (column) {
    auto* list = dynamic_cast<widgets::ListView*>(component);
    if (list == nullptr || *column >= list->columnCount()) return std::nullopt;
    int index = *column;
    return Target{[list, index] { return list->column(index).caption; },
                  [list, index](std::string text) { list->setColumnCaption(index, std::move(text)); }};
  }
  if (auto* item = dynamic_cast<widgets::MenuItem*>(component))
    return Target{[item] { return item->caption(); },
                  [item](std::string text) { item->setCaption(std::move(text)); }};
  if (auto* control = dynamic_cast<widgets::Control*>(component))
    return Target{[control] { return control->caption(); },
                  [control](std::string text) { control->setCaption(std::move(text)); }};
  return std::nullopt;
}

widgets::Form* windowNamed(const LanguageTargets& targets, std::string_view name) {
  for (const auto& [windowName, form] : targets.windows)
    if (windowName == name) return form;
  return nullptr;
}

// Resolves a key to its target by the key's form: "String..." is a message text;
// "Control->Caption" and "ListView->Column[i]->Caption" are on the main window;
// "FormX->Caption", "FormX->Control->Caption", "FormX->ListView->Column[i]->Caption"
// and "FormX->StringY" are on a secondary window.
std::optional<Target> resolve(const LanguageTargets& targets, std::string_view key) {
  const std::vector<std::string_view> parts = splitArrows(key);
  if (parts.size() == 1 && key.starts_with("String") && targets.messages != nullptr) {
    MessageTexts* messages = targets.messages;
    std::string name(key);
    return Target{[messages, name] { return (*messages)[name]; },
                  [messages, name](std::string text) { messages->set(name, std::move(text)); }};
  }
  if (parts.size() < 2) return std::nullopt;
  if (widgets::Form* window = windowNamed(targets, parts[0])) {
    // A named pair, not a structured binding: clang 14 cannot capture a binding.
    for (const auto& windowText : targets.windowTexts)
      if (windowText.first == key) {
        std::string* text = windowText.second;
        return Target{[text] { return *text; }, [text](std::string value) { *text = std::move(value); }};
      }
    if (parts.back() != "Caption") return std::nullopt;
    if (parts.size() == 2)
      return Target{[window] { return window->caption(); },
                    [window](std::string text) { window->setCaption(std::move(text)); }};
    if (parts.size() == 3) return captionOf(*window, parts[1], std::nullopt);
    if (parts.size() == 4 && columnIndex(parts[2]))
      return captionOf(*window, parts[1], columnIndex(parts[2]));
    return std::nullopt;
  }
  if (targets.mainForm == nullptr || parts.back() != "Caption") return std::nullopt;
  if (parts.size() == 2) return captionOf(*targets.mainForm, parts[0], std::nullopt);
  if (parts.size() == 3 && columnIndex(parts[1]))
    return captionOf(*targets.mainForm, parts[0], columnIndex(parts[1]));
  return std::nullopt;
}

}  // namespace

std::vector<std::string> applyLanguageFile(const platform::ProfileFile& file,
                                           const LanguageTargets& targets) {
  std::vector<std::string> unresolved;
  // The file is read once; a missing file gives every key its default.
  const platform::ProfileSnapshot contents = file.snapshot();
  for (std::string_view key : languageKeys()) {
    std::optional<Target> target = resolve(targets, key);
    if (!target) {
      unresolved.emplace_back(key);
      continue;
    }
    target->set(contents.readString("Interface", key, target->get()));
  }
  return unresolved;
}

std::string languageFilePath(const std::string& programFolder, const std::string& language) {
  return programFolder + "language\\" + language + ".ini";
}

}  // namespace velmora::app

#include "app/secondary_language_targets.h"

namespace velmora::app {
namespace {

void addWindow(LanguageTargets& targets, const char* name, widgets::Form* window) {
  if (window) targets.windows.emplace_back(name, window);
}

template <class Window>
void addTexts(LanguageTargets& targets, Window* window) {
  if (!window) return;
  const auto texts = window->languageTexts();
  targets.windowTexts.insert(targets.windowTexts.end(), texts.begin(), texts.end());
}

}  // namespace

void addSecondaryWindows(LanguageTargets& targets, const SecondaryWindows& windows) {
  addWindow(targets, "FormMemory", windows.memory);
  addWindow(targets, "FormSettings", windows.settings);
  addWindow(targets, "FormSysInfo", windows.sysInfo);
  addWindow(targets, "FormUpdate", windows.update);
  addWindow(targets, "FormAbout", windows.about);
  addWindow(targets, "FormRestore", windows.restore);
  addTexts(targets, windows.restore);
  addTexts(targets, windows.update);
  addTexts(targets, windows.sysInfo);
  addTexts(targets, windows.settings);
}

}  // namespace velmora::app

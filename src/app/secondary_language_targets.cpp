#include "app/secondary_language_targets.h"

namespace velmora::app {

void addSecondaryWindows(LanguageTargets& targets, const SecondaryWindows& windows) {
  targets.windows.insert(targets.windows.end(), {{"FormMemory", &windows.memory},
                                                 {"FormSettings", &windows.settings},
                                                 {"FormSysInfo", &windows.sysInfo},
                                                 {"FormUpdate", &windows.update},
                                                 {"FormAbout", &windows.about},
                                                 {"FormRestore", &windows.restore}});
  for (const auto& texts : {windows.restore.languageTexts(), windows.update.languageTexts(),
                            windows.sysInfo.languageTexts(), windows.settings.languageTexts()})
    targets.windowTexts.insert(targets.windowTexts.end(), texts.begin(), texts.end());
}

}  // namespace velmora::app

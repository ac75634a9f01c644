#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/message_texts.h"
#include "platform/profile_file.h"
#include "widgets/form.h"

namespace velmora::app {

// What a language file's texts are applied to: the main window, the secondary
// windows by the names the keys use ("FormMemory", ...), the main window's message
// texts and the texts the secondary windows hold by their whole keys
// ("FormUpdate->StringCheckingForUpdates").
struct LanguageTargets {
  widgets::Form* mainForm = nullptr;
  std::vector<std::pair<std::string, widgets::Form*>> windows;
  MessageTexts* messages = nullptr;
  // Message texts a secondary window holds, by their whole key
  // ("FormRestore->StringRestored").
  std::vector<std::pair<std::string, std::string*>> windowTexts;
};

// Reads every language key from section "Interface" of file, in the loader's
// order, passing the text its target shows now as the default, and stores the
// result back: a missing file or key leaves the target as it was, and a key with
// an empty value empties it. Returns the keys whose target does not exist, which
// is a programming error the tests look for.
std::vector<std::string> applyLanguageFile(const platform::ProfileFile& file, const LanguageTargets& targets);

// The path of a language's file: the language folder, the name and ".ini".
std::string languageFilePath(const std::string& programFolder, const std::string& language);

}  // namespace velmora::app

// The program's main window and Software Update window under Wine, with the real
// WinINet, files and shell: Help, Check for updates against an HTTP server on
// 127.0.0.1, a screenshot of each outcome, and the link opening the product page
// through the shell, where a recorder stands in for the browser.
// The main window brings in the registry constants, which come before <windows.h>.
#include "app/main_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "loopback_http_server_win32.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_services.h"
#include "screenshot.h"
#include "widgets/application.h"
#include "widgets/win32/win32_backend.h"

namespace velmora::update {
namespace {

namespace fs = std::filesystem;
using platform::win32::narrow;
using platform::win32::widen;

constexpr const char* kScript = "/cgi-bin/check_update.cgi?title=Velmora+Disk+Cleaner";

// A Linux path of the build as Wine shows it, on drive Z:.
fs::path wineShown(const std::string& linuxPath) {
  std::string path = "Z:";
  for (char c : linuxPath) path += c == '/' ? '\\' : c;
  return fs::path(widen(path));
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A program folder of its own in the temporary folder: the language files,
// an empty data folder, and the settings of a later run that does not check for
// updates at start-up. Removed with everything in it.
class ScratchProgramFolder {
 public:
  ScratchProgramFolder()
      : folder_(fs::temp_directory_path() / ("velmora-update-" + std::to_string(GetCurrentProcessId()))) {
    fs::create_directories(folder_ / "language");
    fs::create_directories(folder_ / "data");
    for (const char* language : {"English.ini", "Russian.ini"})
      fs::copy_file(wineShown(VELMORA_LANGUAGE_DIR) / language, folder_ / "language" / language);
    std::ofstream(folder_ / "VelmoraDiskCleaner.ini", std::ios::binary)
        << "[Options]\r\nLanguage=English\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n";
  }
  ~ScratchProgramFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  const fs::path& path() const { return folder_; }
  std::string exePath() const { return narrow((folder_ / "VelmoraDiskCleaner.exe").wstring()); }

 private:
  fs::path folder_;
};

// Makes the recorder the program that opens http addresses, for as long as the
// object lives, writing each address into record. Wine's shell looks for a
// protocol's program only under HKEY_LOCAL_MACHINE\Software\Classes (Windows looks
// in the user's classes first), so the entry of the throwaway test prefix is
// replaced, and put back afterwards.
class HttpOpenedBy {
 public:
  explicit HttpOpenedBy(const fs::path& record) {
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\http\\shell\\open\\command", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr) != ERROR_SUCCESS)
      return;
    DWORD size = sizeof(previous_);
    hadPrevious_ = RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(previous_),
                                    &size) == ERROR_SUCCESS;
    const std::wstring command =
        L"\"" + wineShown(VELMORA_URL_RECORDER).wstring() + L"\" \"" + record.wstring() + L"\" \"%1\"";
    registered_ = set(command.c_str());
  }
  ~HttpOpenedBy() {
    if (!key_) return;
    if (hadPrevious_) set(previous_);
    RegCloseKey(key_);
  }

  bool registered() const { return registered_; }

 private:
  bool set(const wchar_t* command) {
    const DWORD bytes = static_cast<DWORD>((wcslen(command) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command), bytes) ==
           ERROR_SUCCESS;
  }

  HKEY key_ = nullptr;
  wchar_t previous_[1024] = {};
  bool hadPrevious_ = false;
  bool registered_ = false;
};

class UpdateWindowTest : public ::testing::Test {
 protected:
  // Handles the program's messages until done holds or 30 s have passed; whether
  // it held.
  bool runUntil(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
      if (std::chrono::steady_clock::now() > limit) return false;
      app.processMessages();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
  }

  ScratchProgramFolder folder;
  contract::LoopbackHttpServer server;
  fs::path opened = folder.path() / "opened.txt";
  HttpOpenedBy handler{opened};
  widgets::Application app{std::make_unique<widgets::win32::Win32Backend>()};
};

TEST_F(UpdateWindowTest, TheMenuCommandShowsEachOutcomeAndTheLinkOpensTheProductPage) {
  ASSERT_TRUE(handler.registered());
  app::TForm1 form(app, platform::win32::win32Services(), folder.exePath());
  // The checker asks the server these name when a check starts.
  form.ServerRoot = "http://127.0.0.1:" + std::to_string(server.port());
  form.ProductPageAddress = form.ServerRoot + "/velmora_disk_cleaner.shtml";
  TFormUpdate& window = *form.FormUpdate;

  struct Case {
    int status;
    std::string body;
    std::string picture;
    std::string message;  // The language-file key of the outcome's text.
    bool newer;
  };
  const std::vector<Case> cases = {
      {200, "1.3\r\n", "latest_version", "StringLastVersion", false},
      {200, "1.4\r\nFaster scans\r\n", "new_version", "StringNewVersionIsAvailable", true},
      {404, "<html><body>Not Found</body></html>", "cannot_read", "StringCantReadReply", false},
  };

  std::vector<std::string> checkingTexts;
  std::string openedAddress;
  const auto script = [&] {
    EXPECT_TRUE(form.updateChecker().IsConnected()) << "Wine reports a connection";
    for (widgets::MenuItem* language : {&form.MLangEnglish, &form.MLangRussian}) {
      language->click();
      for (const Case& c : cases) {
        const std::string name = "update_" + c.picture + "_" + form.CurrentLanguage;
        SCOPED_TRACE(name);
        server.serve(kScript, c.status, c.body, "");
        // Runs in the window's modal loop, once the menu command has shown it.
        app.post([&] {
          checkingTexts.push_back(window.LabelText.caption() + "|" + window.StringCheckingForUpdates);
          // Check, clicked while the showing's own check runs, starts nothing.
          HWND check = reinterpret_cast<HWND>(window.ButtonCheck.peer()->nativeHandle());
          SendMessageW(check, BM_CLICK, 0, 0);
          SendMessageW(check, BM_CLICK, 0, 0);
          EXPECT_TRUE(runUntil([&] { return !form.updateChecker().UpdateBusy(); }));
          EXPECT_EQ(window.LabelText.caption(), form.messages[c.message] + (c.newer ? "1.4" : ""));
          EXPECT_EQ(window.LabelLink.caption(), c.newer ? form.ProductPageAddress : "");
          for (const widgets::Label* label : {&window.LabelText, &window.LabelLink}) {
            EXPECT_GE(label->left(), 0) << label->name() << " is cut off";
            EXPECT_LE(label->bounds().right(), window.clientWidth()) << label->name() << " is cut off";
          }
          // Wine hands what a window painted to the X server a little later, while
          // the thread waits for messages; the picture shows the window as the
          // program left it, with no repaint forced.
          const auto settled = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
          runUntil([&] { return std::chrono::steady_clock::now() > settled; });
          int colours = 0;
          HWND hwnd = reinterpret_cast<HWND>(window.peer()->nativeHandle());
          const std::wstring picture = widgets::testing::outputFolder() + L"\\" + widen(name) + L".bmp";
          EXPECT_TRUE(widgets::testing::saveWindowBitmap(hwnd, picture, colours));
          EXPECT_GT(colours, 8) << "the capture shows a drawn window";
          if (c.newer && openedAddress.empty()) {
            HWND link = reinterpret_cast<HWND>(window.LabelLink.peer()->nativeHandle());
            SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            EXPECT_TRUE(runUntil([&] { return !(openedAddress = readFile(opened)).empty(); }))
                << "the shell started the browser";
          }
          // Once that check has ended, Check starts the next one.
          SendMessageW(check, BM_CLICK, 0, 0);
          EXPECT_EQ(window.LabelText.caption(), window.StringCheckingForUpdates);
          EXPECT_TRUE(runUntil([&] { return !form.updateChecker().UpdateBusy(); }));
          window.ButtonClose.click();
        });
        form.MCheckUpdate.click();
      }
    }
    form.close();
  };
  const std::function<void()> formShow = form.onShow;
  form.onShow = [&] {
    formShow();
    app.post(script);
  };
  app.run(form);

  // Each showing opened with the checking text of its language, which the language
  // file gives.
  ASSERT_EQ(checkingTexts.size(), 6u);
  for (const std::string& texts : checkingTexts) {
    EXPECT_NE(texts.front(), '|');
    EXPECT_EQ(texts.substr(0, texts.find('|')), texts.substr(texts.find('|') + 1));
  }
  EXPECT_EQ(openedAddress, form.ProductPageAddress);
  EXPECT_EQ(server.requestsFor(kScript), 12) << "one request per showing and one per Check clicked in time";
  EXPECT_EQ(readFile(folder.path() / "data" / "version.txt"), cases.back().body);
}

}  // namespace
}  // namespace velmora::update

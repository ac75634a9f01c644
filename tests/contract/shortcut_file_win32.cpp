#include "shortcut_file_win32.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <stdexcept>

#include "file_system_scratch_win32.h"

namespace velmora::contract {

void makeShortcut(const std::string& shortcutPath, const std::string& target) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) throw std::runtime_error("no COM");
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                          reinterpret_cast<void**>(&link))) &&
               SUCCEEDED(link->SetPath(utf16(target).c_str())) &&
               SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
               SUCCEEDED(file->Save(utf16(shortcutPath).c_str(), TRUE));
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  if (!saved) throw std::runtime_error("cannot save the shortcut " + shortcutPath);
}

}  // namespace velmora::contract

#include "platform/win32/win32_services.h"

// The registry constants must come before <windows.h>, which the Win32
// implementations' headers below may bring in.
#include "platform/registry_store.h"
#include "platform/win32/drives_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/internet_win32.h"
#include "platform/win32/memory_win32.h"
#include "platform/win32/process_host_win32.h"
#include "platform/win32/registry_store_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_info_win32.h"
#include "platform/win32/task_scheduler_win32.h"
#include "platform/win32/text_encoding_win32.h"
#include "platform/win32/text_files_win32.h"

namespace velmora::platform::win32 {
namespace {

// The implementations and the aggregate over them, built together so that the
// references in Services never outlive what they refer to.
struct Win32ServiceSet {
  RegistryStoreWin32 registry;
  Win32FileSystem files;
  Win32Drives drives;
  Win32Shell shell;
  Win32TextEncoding encoding;
  Win32TextFiles textFiles{encoding};
  Win32Memory memory;
  Win32SystemInfo system;
  Win32Internet internet;
  Win32TaskScheduler scheduler;
  Services services{registry, files, drives, shell, textFiles, memory, system, internet, encoding, scheduler};
};

}  // namespace

Services& win32Services() {
  // Never destroyed: a scan worker may still be walking the disk while the
  // program exits, and must not meet services torn down under it.
  static Win32ServiceSet* set = new Win32ServiceSet;
  return set->services;
}

ProcessHost& win32ProcessHost() {
  static Win32ProcessHost host;
  return host;
}

}  // namespace velmora::platform::win32

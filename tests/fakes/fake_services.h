#pragma once

#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_internet.h"
#include "fakes/fake_memory.h"
#include "fakes/fake_registry_store.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_task_scheduler.h"
#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "platform/services.h"

namespace velmora::fakes {

// Every service as an in-memory fake, and the Services aggregate over them that
// the program's windows take: a whole machine for a test.
struct FakeServices {
  FakeRegistryStore registry;
  FakeFileSystem files;
  FakeDrives drives;
  FakeShell shell{&files};
  FakeTextEncoding encoding;
  FakeTextFiles textFiles{encoding};
  FakeMemory memory;
  FakeSystemInfo system;
  FakeInternet internet;
  FakeTaskScheduler scheduler;
  platform::Services services{registry, files, drives, shell, textFiles, memory, system, internet, encoding, scheduler};
};

}  // namespace velmora::fakes

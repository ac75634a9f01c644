#pragma once

// Every Windows service the logic needs, one interface per header beside this one.
// The program hands the logic the Win32 implementations; native tests hand it the
// in-memory fakes of tests/fakes.
namespace velmora::platform {

class RegistryStore;
class FileSystem;
class Drives;
class Shell;
class TextFiles;
class Memory;
class SystemInfo;
class Internet;
class TextEncoding;
class TaskScheduler;

struct Services {
  RegistryStore& registry;
  FileSystem& files;
  Drives& drives;
  Shell& shell;
  TextFiles& textFiles;
  Memory& memory;
  SystemInfo& system;
  Internet& internet;
  TextEncoding& encoding;
  TaskScheduler& scheduler;
};

}  // namespace velmora::platform

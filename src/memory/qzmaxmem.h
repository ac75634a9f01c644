#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/memory.h"
#include "widgets/component.h"

namespace velmora::memory {

// The memory defragmenter: frees physical memory by committing up to 1024
// blocks of one megabyte, writing every byte of each so that the system has to
// back it with physical memory (pushing other programs' pages out), and then
// releasing them all. It reports the machine's total and free physical memory.
//
// It runs on the caller's thread and calls its three events from inside
// DefragMemory. A handler may call Abort, which is seen right after that handler
// returns; a call of DefragMemory from inside a handler returns at once.
class TqzMaxMem : public widgets::Component {
 public:
  using TNotifyEvent = std::function<void(TqzMaxMem& sender)>;
  // Progress is a percentage of the steps: one per block committed and one per
  // block released, counted against twice the megabytes asked for.
  using TOnProgress = std::function<void(TqzMaxMem& sender, std::int32_t progress)>;

  // The most blocks one call commits; a larger request is capped.
  static constexpr std::int32_t kMaxBlocks = 1024;

  // Reads the total physical memory once, now. memory must outlive the
  // component.
  TqzMaxMem(widgets::Form& owner, std::string name, platform::Memory& memory);

  // Total physical memory in bytes, as read at creation. A 64-bit count, so that
  // a machine with 4 GiB or more is measured as it is.
  std::uint64_t TotalMemory() const { return totalMemory_; }
  // Physical memory free now, in bytes.
  std::uint64_t FreeMemory() const { return GetFreeMemory(); }
  std::uint64_t GetFreeMemory() const;

  // Asks a running DefragMemory to stop after the block it is working on. The
  // request is withdrawn by the next call of DefragMemory.
  void Abort() { abort_ = true; }

  // Frees the whole physical memory: DefragMemory with the total in whole
  // megabytes (so at most kMaxBlocks blocks).
  void DefragAll();

  // Commits, fills and releases min(megabytes, kMaxBlocks) blocks; nothing for
  // zero or less. Returns at once, without events, while another call runs. A
  // block that cannot be committed ends the operation as an abort does: every
  // block held is released and the after handler runs.
  void DefragMemory(std::int32_t megabytes);

  bool Busy() const { return busy_; }

  TNotifyEvent OnBeforeDefrag;
  TOnProgress OnProgress;
  TNotifyEvent OnAfterDefrag;

 private:
  void reportProgress(std::int64_t stepsDone, std::int64_t totalSteps);
  void finish();

  platform::Memory& memory_;
  bool abort_ = false;
  std::uint64_t totalMemory_ = 0;
  bool busy_ = false;
};

}  // namespace velmora::memory

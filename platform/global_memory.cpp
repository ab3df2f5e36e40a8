// Turns allocation requests into handle-addressed memory blocks with lock
// counts, and block addresses back into their handles.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/platform.h"

namespace platform {

struct GlobalRecord {
  void* block = nullptr;  // from std::malloc; never moves
  std::size_t size = 0;
  unsigned locks = 0;
};

namespace {

struct GlobalTable {
  std::mutex mutex;
  // Keyed by handle for the calls that take one, and by block address for
  // globalHandleOf.
  std::unordered_map<const GlobalRecord*, GlobalRecord*> byHandle;
  std::unordered_map<const void*, GlobalRecord*> byAddress;
  // Allocations still allowed before injected failures start; negative means
  // never fail.
  long allocationsBeforeFailure = -1;
};

GlobalTable& table() {
  static GlobalTable instance;
  return instance;
}

GlobalRecord* findRecord(GlobalTable& blocks, GlobalHandle handle) {
  const auto found = blocks.byHandle.find(handle);
  return found != blocks.byHandle.end() ? found->second : nullptr;
}

}  // namespace

GlobalHandle globalAlloc(unsigned flags, std::size_t size) {
  if (size > kGlobalMaxBytes) return nullptr;
  GlobalTable& blocks = table();
  {
    std::lock_guard lock(blocks.mutex);
    if (blocks.allocationsBeforeFailure == 0) return nullptr;
    if (blocks.allocationsBeforeFailure > 0) --blocks.allocationsBeforeFailure;
  }
  // A zero-byte block still gets an address of its own, so that handle and
  // address stay one-to-one.
  const std::size_t bytes = size == 0 ? 1 : size;
  void* block = (flags & kGmemZeroInit) != 0 ? std::calloc(1, bytes) : std::malloc(bytes);
  if (block == nullptr) return nullptr;
  auto* record = new GlobalRecord{block, size, 0};
  std::lock_guard lock(blocks.mutex);
  blocks.byHandle.emplace(record, record);
  blocks.byAddress.emplace(block, record);
  return record;
}

void* globalLock(GlobalHandle handle) {
  GlobalTable& blocks = table();
  std::lock_guard lock(blocks.mutex);
  GlobalRecord* record = findRecord(blocks, handle);
  if (record == nullptr) return nullptr;
  ++record->locks;
  return record->block;
}

bool globalUnlock(GlobalHandle handle) {
  GlobalTable& blocks = table();
  std::lock_guard lock(blocks.mutex);
  GlobalRecord* record = findRecord(blocks, handle);
  if (record == nullptr) return false;
  if (record->locks > 0) --record->locks;
  return record->locks > 0;
}

GlobalHandle globalHandleOf(const void* address) {
  if (address == nullptr) return nullptr;
  GlobalTable& blocks = table();
  std::lock_guard lock(blocks.mutex);
  const auto found = blocks.byAddress.find(address);
  return found != blocks.byAddress.end() ? found->second : nullptr;
}

std::size_t globalSize(GlobalHandle handle) {
  GlobalTable& blocks = table();
  std::lock_guard lock(blocks.mutex);
  const GlobalRecord* record = findRecord(blocks, handle);
  return record != nullptr ? record->size : 0;
}

GlobalHandle globalFree(GlobalHandle handle) {
  GlobalRecord* record = nullptr;
  {
    GlobalTable& blocks = table();
    std::lock_guard lock(blocks.mutex);
    record = findRecord(blocks, handle);
    if (record == nullptr) return handle;
    blocks.byHandle.erase(record);
    blocks.byAddress.erase(record->block);
  }
  std::free(record->block);
  delete record;
  return nullptr;
}

std::size_t globalLiveBlockCount() {
  GlobalTable& blocks = table();
  std::lock_guard lock(blocks.mutex);
  return blocks.byHandle.size();
}

void globalSimulateFailureAfter(long count) {
  GlobalTable& blocks = table();
  std::lock_guard lock(blocks.mutex);
  blocks.allocationsBeforeFailure = count < 0 ? -1 : count;
}

}  // namespace platform

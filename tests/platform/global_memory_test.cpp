// Checks global memory blocks. In: allocations, locks, frees and made-up
// handles (the command block tests inject allocation failures). Out: lock
// counts, zero-filled blocks, the address-to-handle lookup, live-block counts
// and each call's failure value.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/platform.h"

namespace {

using namespace platform;

TEST(GlobalMemory, ZeroedBlocksLockCountedAndLeadBackToTheirHandle) {
  constexpr std::size_t kSize = 4096;
  const std::size_t liveBefore = globalLiveBlockCount();
  // Dirty a block of the same size first so that the allocator has non-zero
  // memory at hand to give back.
  const GlobalHandle dirty = globalAlloc(kGmemFixed, kSize);
  std::memset(globalLock(dirty), 0xAB, kSize);
  ASSERT_EQ(globalFree(dirty), nullptr);
  const GlobalHandle handle = globalAlloc(kGhnd, kSize);
  auto* first = static_cast<char*>(globalLock(handle));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(std::count(first, first + kSize, 0), static_cast<std::ptrdiff_t>(kSize));
  EXPECT_EQ(globalLock(handle), first) << "blocks never move";
  EXPECT_TRUE(globalUnlock(handle)) << "one lock remains";
  EXPECT_FALSE(globalUnlock(handle)) << "count reached 0";
  EXPECT_FALSE(globalUnlock(handle)) << "an unlocked block stays unlocked";
  EXPECT_EQ(globalHandleOf(first + 1), nullptr) << "inside the block is not its start";
  EXPECT_EQ(globalHandleOf(&liveBefore), nullptr);
  const GlobalHandle empty = globalAlloc(kGhnd, 0);
  EXPECT_EQ(globalSize(empty), 0u) << "an empty block is still a block";
  EXPECT_NE(globalLock(empty), first) << "each block has an address of its own";
  EXPECT_EQ(globalFree(handle), nullptr) << "locked blocks can be freed";
  EXPECT_EQ(globalHandleOf(first), nullptr) << "a freed block is not live";
  EXPECT_EQ(globalFree(empty), nullptr);
  EXPECT_EQ(globalLiveBlockCount(), liveBefore);
}

TEST(GlobalMemory, UnknownHandlesAndOversizeRequestsFail) {
  const std::size_t liveBefore = globalLiveBlockCount();
  EXPECT_EQ(globalAlloc(kGhnd, kGlobalMaxBytes + 1), nullptr);
  EXPECT_EQ(globalLiveBlockCount(), liveBefore);
  const GlobalHandle freed = globalAlloc(kGhnd, 8);
  ASSERT_EQ(globalFree(freed), nullptr);
  int notABlock = 0;
  for (const GlobalHandle handle : {freed, reinterpret_cast<GlobalHandle>(&notABlock)}) {
    EXPECT_EQ(globalLock(handle), nullptr);
    EXPECT_FALSE(globalUnlock(handle));
    EXPECT_EQ(globalSize(handle), 0u);
    EXPECT_EQ(globalFree(handle), handle) << "an unknown handle comes back";
  }
  EXPECT_EQ(globalLock(nullptr), nullptr);
}

}  // namespace

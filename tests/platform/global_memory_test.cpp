// Checks global memory blocks: lock counting, zero-filled allocation, the
// address-to-handle lookup, failure values for unknown handles, and injected
// allocation failures.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace {

using platform::GlobalHandle;

// Restores the default (never fail) even when a test stops early.
struct FailureInjectionReset {
  ~FailureInjectionReset() { platform::globalSimulateFailureAfter(-1); }
};

TEST(GlobalMemory, LocksCountAndUnlockUndoesOne) {
  const GlobalHandle handle = platform::globalAlloc(platform::kGhnd, 64);
  ASSERT_NE(handle, nullptr);
  void* first = platform::globalLock(handle);
  void* second = platform::globalLock(handle);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second) << "blocks never move";
  EXPECT_TRUE(platform::globalUnlock(handle)) << "one lock remains";
  EXPECT_FALSE(platform::globalUnlock(handle)) << "count reached 0";
  EXPECT_FALSE(platform::globalUnlock(handle)) << "an unlocked block stays unlocked";
  EXPECT_EQ(platform::globalLock(handle), first);
  EXPECT_FALSE(platform::globalUnlock(handle));
  EXPECT_EQ(platform::globalFree(handle), nullptr);
}

TEST(GlobalMemory, ZeroInitFillsWithZeros) {
  constexpr std::size_t kSize = 4096;
  // Dirty a block of the same size first so that the allocator has non-zero
  // memory at hand to give back.
  const GlobalHandle dirty = platform::globalAlloc(platform::kGmemMoveable, kSize);
  ASSERT_NE(dirty, nullptr);
  std::memset(platform::globalLock(dirty), 0xAB, kSize);
  platform::globalUnlock(dirty);
  ASSERT_EQ(platform::globalFree(dirty), nullptr);

  const GlobalHandle handle = platform::globalAlloc(platform::kGhnd, kSize);
  ASSERT_NE(handle, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(platform::globalLock(handle));
  ASSERT_NE(bytes, nullptr);
  std::size_t nonZero = 0;
  for (std::size_t i = 0; i < kSize; ++i) nonZero += bytes[i] != 0;
  EXPECT_EQ(nonZero, 0u);
  EXPECT_EQ(platform::globalSize(handle), kSize);
  platform::globalUnlock(handle);
  EXPECT_EQ(platform::globalFree(handle), nullptr);
}

TEST(GlobalMemory, HandleOfFindsOnlyTheStartOfALiveBlock) {
  const GlobalHandle handle = platform::globalAlloc(platform::kGmemFixed, 16);
  ASSERT_NE(handle, nullptr);
  auto* address = static_cast<char*>(platform::globalLock(handle));
  ASSERT_NE(address, nullptr);
  EXPECT_EQ(platform::globalHandleOf(address), handle);
  EXPECT_EQ(platform::globalHandleOf(address + 1), nullptr) << "inside the block is not its start";
  EXPECT_EQ(platform::globalHandleOf(nullptr), nullptr);
  int local = 0;
  EXPECT_EQ(platform::globalHandleOf(&local), nullptr);
  platform::globalUnlock(handle);
  EXPECT_EQ(platform::globalFree(handle), nullptr);
  EXPECT_EQ(platform::globalHandleOf(address), nullptr) << "a freed block is not live";
}

TEST(GlobalMemory, UnknownHandlesFail) {
  const GlobalHandle freed = platform::globalAlloc(platform::kGhnd, 8);
  ASSERT_NE(freed, nullptr);
  ASSERT_EQ(platform::globalFree(freed), nullptr);
  int notABlock = 0;
  const GlobalHandle madeUp = reinterpret_cast<GlobalHandle>(&notABlock);
  for (const GlobalHandle handle : {freed, madeUp}) {
    SCOPED_TRACE(handle == freed ? "freed" : "made up");
    EXPECT_EQ(platform::globalLock(handle), nullptr);
    EXPECT_FALSE(platform::globalUnlock(handle));
    EXPECT_EQ(platform::globalSize(handle), 0u);
    EXPECT_EQ(platform::globalFree(handle), handle) << "an unknown handle comes back";
  }
  EXPECT_EQ(platform::globalLock(nullptr), nullptr);
  EXPECT_EQ(platform::globalSize(nullptr), 0u);
}

TEST(GlobalMemory, FreeWorksWhileLockedAndCountsLiveBlocks) {
  const std::size_t before = platform::globalLiveBlockCount();
  const GlobalHandle a = platform::globalAlloc(platform::kGhnd, 10);
  const GlobalHandle b = platform::globalAlloc(platform::kGhnd, 0);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr) << "an empty block is still a block";
  EXPECT_EQ(platform::globalSize(b), 0u);
  EXPECT_NE(platform::globalLock(a), platform::globalLock(b)) << "each block has an address of its own";
  EXPECT_EQ(platform::globalLiveBlockCount(), before + 2);
  EXPECT_EQ(platform::globalFree(a), nullptr) << "locked blocks can be freed";
  EXPECT_EQ(platform::globalLiveBlockCount(), before + 1);
  EXPECT_EQ(platform::globalFree(b), nullptr);
  EXPECT_EQ(platform::globalLiveBlockCount(), before);
}

TEST(GlobalMemory, SizeAboveTheLimitFails) {
  const std::size_t before = platform::globalLiveBlockCount();
  EXPECT_EQ(platform::globalAlloc(platform::kGhnd, platform::kGlobalMaxBytes + 1), nullptr);
  EXPECT_EQ(platform::globalLiveBlockCount(), before);
}

TEST(GlobalMemory, InjectedFailuresStartAfterTheGivenCount) {
  FailureInjectionReset reset;
  struct Row {
    const char* name;
    long count;
    int attempts;
    int expectedSuccesses;
  };
  const Row rows[] = {
      {"fail at once", 0, 3, 0},
      {"two then fail", 2, 5, 2},
      {"never reached", 10, 4, 4},
      {"negative never fails", -1, 6, 6},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform::globalSimulateFailureAfter(row.count);
    const std::size_t before = platform::globalLiveBlockCount();
    std::vector<GlobalHandle> handles;
    int successes = 0;
    bool failedOnce = false;
    for (int i = 0; i < row.attempts; ++i) {
      const GlobalHandle handle = platform::globalAlloc(platform::kGhnd, 32);
      if (handle == nullptr) {
        failedOnce = true;
        continue;
      }
      EXPECT_FALSE(failedOnce) << "once failing, every later allocation fails";
      ++successes;
      handles.push_back(handle);
    }
    EXPECT_EQ(successes, row.expectedSuccesses);
    EXPECT_EQ(platform::globalLiveBlockCount(), before + handles.size());
    for (const GlobalHandle handle : handles) EXPECT_EQ(platform::globalFree(handle), nullptr);
  }
  platform::globalSimulateFailureAfter(-1);
  const GlobalHandle handle = platform::globalAlloc(platform::kGhnd, 32);
  EXPECT_NE(handle, nullptr) << "reset restores normal allocation";
  EXPECT_EQ(platform::globalFree(handle), nullptr);
}

}  // namespace

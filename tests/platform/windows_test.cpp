// Checks windows and synchronous messages: answers and arguments, unknown
// handles, and callbacks that send to other windows, create windows or
// destroy their own window while they run.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/platform.h"

namespace {

using platform::WindowHandle;

TEST(Windows, MessageReachesTheCallbackWithItsArguments) {
  WindowHandle seen = nullptr;
  std::uint32_t message = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  const WindowHandle window = platform::createWindow(
      [&](WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> std::intptr_t {
        seen = w;
        message = m;
        wparam = wp;
        lparam = lp;
        return 77;
      });
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(platform::isWindow(window));
  EXPECT_EQ(platform::sendMessage(window, 1035, 3, -9), 77);
  EXPECT_EQ(seen, window);
  EXPECT_EQ(message, 1035u);
  EXPECT_EQ(wparam, 3u);
  EXPECT_EQ(lparam, -9);
  EXPECT_TRUE(platform::destroyWindow(window));
}

TEST(Windows, UnknownHandlesFail) {
  int calls = 0;
  const WindowHandle window = platform::createWindow([&](WindowHandle, std::uint32_t, std::uintptr_t,
                                                         std::intptr_t) -> std::intptr_t { return ++calls; });
  ASSERT_TRUE(platform::destroyWindow(window));
  int notAWindow = 0;
  const WindowHandle madeUp = reinterpret_cast<WindowHandle>(&notAWindow);
  for (const WindowHandle handle : {WindowHandle{nullptr}, window, madeUp}) {
    SCOPED_TRACE(handle == nullptr ? "null" : handle == window ? "destroyed" : "made up");
    EXPECT_FALSE(platform::isWindow(handle));
    EXPECT_EQ(platform::sendMessage(handle, 1, 2, 3), 0);
    EXPECT_FALSE(platform::destroyWindow(handle));
  }
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(platform::createWindow(platform::WindowProc{}), nullptr);
}

TEST(Windows, CallbackMaySendToAnotherWindow) {
  const WindowHandle inner = platform::createWindow(
      [](WindowHandle, std::uint32_t message, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        return static_cast<std::intptr_t>(message) * 10;
      });
  const WindowHandle outer = platform::createWindow(
      [inner](WindowHandle, std::uint32_t message, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        return platform::sendMessage(inner, message + 1, 0, 0) + 1;
      });
  EXPECT_EQ(platform::sendMessage(outer, 4, 0, 0), 51);
  EXPECT_TRUE(platform::destroyWindow(outer));
  EXPECT_TRUE(platform::destroyWindow(inner));
}

TEST(Windows, CallbackMaySendToItself) {
  const WindowHandle window = platform::createWindow(
      [](WindowHandle self, std::uint32_t message, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        return message == 0 ? 1 : 2 * platform::sendMessage(self, message - 1, 0, 0);
      });
  EXPECT_EQ(platform::sendMessage(window, 5, 0, 0), 32);
  EXPECT_TRUE(platform::destroyWindow(window));
}

TEST(Windows, CallbackMayDestroyItsOwnWindow) {
  constexpr std::uint32_t kClose = 16;
  std::vector<int> captured{1, 2, 3};  // proves the captures outlive the destruction
  int handled = 0;
  const WindowHandle window = platform::createWindow(
      [captured, &handled](WindowHandle self, std::uint32_t message, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        ++handled;
        if (message != kClose) return 0;
        const bool destroyed = platform::destroyWindow(self);
        const bool stillThere = platform::isWindow(self);
        return destroyed && !stillThere ? captured[0] + captured[1] + captured[2] : -1;
      });
  EXPECT_EQ(platform::sendMessage(window, kClose, 0, 0), 6);
  EXPECT_FALSE(platform::isWindow(window));
  EXPECT_EQ(platform::sendMessage(window, kClose, 0, 0), 0);
  EXPECT_EQ(handled, 1);
}

TEST(Windows, CallbackMayCreateAndDestroyOtherWindows) {
  const WindowHandle factory = platform::createWindow(
      [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        const WindowHandle child = platform::createWindow(
            [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> std::intptr_t { return 5; });
        const std::intptr_t answer = platform::sendMessage(child, 0, 0, 0);
        return platform::destroyWindow(child) ? answer : -1;
      });
  EXPECT_EQ(platform::sendMessage(factory, 0, 0, 0), 5);
  EXPECT_TRUE(platform::destroyWindow(factory));
}

TEST(Windows, ThreadsSendConcurrently) {
  constexpr int kThreads = 4;
  constexpr int kMessages = 2000;
  std::atomic<int> total{0};
  std::vector<WindowHandle> windows;
  for (int i = 0; i < kThreads; ++i) {
    windows.push_back(platform::createWindow(
        [&total](WindowHandle, std::uint32_t m, std::uintptr_t, std::intptr_t) -> std::intptr_t {
          total += static_cast<int>(m);
          return 0;
        }));
  }
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      for (int n = 0; n < kMessages; ++n) {
        (void)platform::sendMessage(windows[static_cast<std::size_t>((i + n) % kThreads)], 1, 0, 0);
        // Churn the table while others send.
        const WindowHandle scratch = platform::createWindow(
            [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> std::intptr_t { return 0; });
        platform::destroyWindow(scratch);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(total.load(), kThreads * kMessages);
  for (const WindowHandle window : windows) EXPECT_TRUE(platform::destroyWindow(window));
}

}  // namespace

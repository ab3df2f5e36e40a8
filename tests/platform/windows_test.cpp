// Checks windows and synchronous messages. In: windows bound to callbacks,
// messages sent from tests and from callbacks (everything that sends runs on
// the host's one thread). Out: answers and
// arguments, unknown-handle failures, and callbacks that send, create windows
// or destroy their own window while they run. (A message with its arguments
// reaching a host window is what every host command test does.)
#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"

namespace {

using namespace platform;

WindowHandle windowAnswering(std::intptr_t answer) {
  return createWindow([answer](auto, auto, auto, auto) { return answer; });
}

TEST(Windows, UnknownHandlesFail) {
  int calls = 0;
  const WindowHandle window = createWindow([&](auto, auto, auto, auto) -> std::intptr_t { return ++calls; });
  ASSERT_TRUE(destroyWindow(window));
  int notAWindow = 0;
  for (const WindowHandle handle : {WindowHandle{nullptr}, window, reinterpret_cast<WindowHandle>(&notAWindow)}) {
    EXPECT_FALSE(isWindow(handle));
    EXPECT_EQ(sendMessage(handle, 1, 2, 3), 0);
    EXPECT_FALSE(destroyWindow(handle));
  }
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(createWindow(WindowProc{}), nullptr);
}

TEST(Windows, CallbacksMaySendCreateAndDestroyWhileTheyRun) {
  const WindowHandle inner = createWindow([](auto, std::uint32_t m, auto, auto) -> std::intptr_t { return m * 10; });
  const WindowHandle outer = createWindow(
      [inner](auto, std::uint32_t m, auto, auto) -> std::intptr_t { return sendMessage(inner, m + 1, 0, 0) + 1; });
  const WindowHandle recursive = createWindow([](WindowHandle self, std::uint32_t m, auto, auto) -> std::intptr_t {
    return m == 0 ? 1 : 2 * sendMessage(self, m - 1, 0, 0);
  });
  const WindowHandle factory = createWindow([](auto, auto, auto, auto) -> std::intptr_t {
    const WindowHandle child = windowAnswering(5);
    const std::intptr_t answer = sendMessage(child, 0, 0, 0);
    return destroyWindow(child) ? answer : -1;
  });
  EXPECT_EQ(sendMessage(outer, 4, 0, 0), 51) << "to another window";
  EXPECT_EQ(sendMessage(recursive, 5, 0, 0), 32) << "to itself";
  EXPECT_EQ(sendMessage(factory, 0, 0, 0), 5) << "to a window it created";
  for (const WindowHandle window : {inner, outer, recursive, factory}) EXPECT_TRUE(destroyWindow(window));

  std::vector<int> captured{1, 2, 3};  // proves the captures outlive the destruction
  const WindowHandle self = createWindow([captured](WindowHandle w, auto, auto, auto) {
    const bool destroyed = destroyWindow(w);
    return std::intptr_t{destroyed && !isWindow(w) ? captured[0] + captured[1] + captured[2] : -1};
  });
  EXPECT_EQ(sendMessage(self, 16, 0, 0), 6) << "a callback may destroy its own window";
  EXPECT_EQ(sendMessage(self, 16, 0, 0), 0);
}

}  // namespace

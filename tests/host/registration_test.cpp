// Registering the command with the host: text limits, the descriptor the host
// receives, the bitmap per host version, and each failure's 0xD408.
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "host/bitmaps.h"
#include "host/host_library.h"
#include "host/registration.h"
#include "tests/host/fixtures.h"

namespace {

using host::CommandRegistration;
using host::HostChar;
using host::HostFunctions;

// A host whose interface calls are recorded and answered by the test.
struct FakeHost {
  static inline std::vector<std::string> calls;
  static inline bool giveDescriptor = true;
  static inline std::uint32_t idToGive = 0x9C40;
  static inline int descriptor = 0;
  static inline const void* bitmapSeen = nullptr;

  static std::string ansi(const HostChar* s) {
    std::string out;
    while (s != nullptr && *s != 0) out.push_back(static_cast<char>(*s++));
    return out;
  }
  static void toHost(const char* a, HostChar* out) {
    while (*a != 0) *out++ = static_cast<unsigned char>(*a++);
    *out = 0;
  }
  static void* create(const HostChar* name, std::intptr_t, std::intptr_t, const HostChar* t1,
                      const HostChar* t2, const HostChar* t3, std::intptr_t, std::intptr_t,
                      std::intptr_t, const void* bitmap, std::intptr_t, std::intptr_t,
                      std::intptr_t, std::intptr_t, std::intptr_t) {
    calls.push_back("create " + ansi(name) + "|" + ansi(t1) + "|" + ansi(t2) + "|" + ansi(t3));
    bitmapSeen = bitmap;
    return giveDescriptor ? &descriptor : nullptr;
  }
  static void add(std::uint32_t atom, void*) { calls.push_back("add " + std::to_string(atom)); }
  static std::uint32_t id(std::uint32_t, const HostChar* name) {
    calls.push_back("id " + ansi(name));
    return idToGive;
  }
  static void destroy(void*) { calls.push_back("destroy"); }

  static HostFunctions functions() {
    calls.clear();
    HostFunctions f;
    f.ansiToHostString = &toHost;
    f.createCommandDescriptor = &create;
    f.addDynamicCommand = &add;
    f.getDynamicCommandId = &id;
    f.destroyCommandDescriptor = &destroy;
    return f;
  }
};

TEST(CommandRegistration, LexordaRegistersItsNamesAndTheBitmapOfTheHostVersion) {
  const CommandRegistration v16 = host::lexordaCommand(7, 16);
  EXPECT_EQ(v16.commandName, "Velmor TOA");
  EXPECT_EQ(v16.displayTexts[0], "TOA Tool");
  EXPECT_EQ(v16.displayTexts[1], "Lexorda");
  EXPECT_EQ(v16.displayTexts[2], "Table of Authorities Tool");
  EXPECT_EQ(v16.bitmapResource, 3032);
  EXPECT_EQ(host::lexordaCommand(7, 17).bitmapResource, 3026);
  EXPECT_EQ(host::lexordaCommand(7, 18).bitmapResource, 3026);
}

TEST(CommandRegistration, SendsTheDescriptorThenAsksForTheId) {
  FakeHost::giveDescriptor = true;
  FakeHost::idToGive = 0x12349C40;  // only the low 16 bits are the id
  const HostFunctions f = FakeHost::functions();
  EXPECT_EQ(host::registerCommand(f, host::lexordaCommand(0xC001, 17)), 0x9C40u);
  const std::vector<std::string> expected = {
      "create Velmor TOA|TOA Tool|Lexorda|Table of Authorities Tool", "add 49153",
      "id Velmor TOA", "destroy"};
  EXPECT_EQ(FakeHost::calls, expected);
  EXPECT_EQ(FakeHost::bitmapSeen, host::loadBitmapResource(3026)->data());
}

TEST(CommandRegistration, TextLengthLimit) {
  struct Row {
    const char* name;
    std::size_t nameLength;
    std::size_t textLength;
    std::uint32_t expected;
  } rows[] = {
      {"49-character name accepted", 49, 8, 0x9C40},
      {"50-character name refused", 50, 8, 0xD408},
      {"49-character display text accepted", 10, 49, 0x9C40},
      {"50-character display text refused", 10, 50, 0xD408},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeHost::giveDescriptor = true;
    FakeHost::idToGive = 0x9C40;
    const HostFunctions f = FakeHost::functions();
    CommandRegistration command = host::lexordaCommand(1, 17);
    command.commandName = std::string(row.nameLength, 'n');
    command.displayTexts[2] = std::string(row.textLength, 't');
    EXPECT_EQ(host::registerCommand(f, command), row.expected);
    if (row.expected == 0xD408) {
      EXPECT_TRUE(FakeHost::calls.empty()) << "nothing reaches the host";
    }
  }
}

TEST(CommandRegistration, HostFailuresGive0xD408) {
  {
    SCOPED_TRACE("no descriptor");
    FakeHost::giveDescriptor = false;
    const HostFunctions f = FakeHost::functions();
    EXPECT_EQ(host::registerCommand(f, host::lexordaCommand(1, 17)), 0xD408u);
    EXPECT_EQ(FakeHost::calls.size(), 1u);
  }
  {
    SCOPED_TRACE("no id for the name");
    FakeHost::giveDescriptor = true;
    FakeHost::idToGive = 0x0001D408;
    const HostFunctions f = FakeHost::functions();
    EXPECT_EQ(host::registerCommand(f, host::lexordaCommand(1, 17)), 0xD408u);
  }
  {
    SCOPED_TRACE("unbound host");
    EXPECT_EQ(host::registerCommand(HostFunctions{}, host::lexordaCommand(1, 17)), 0xD408u);
  }
}

TEST(CommandBitmaps, AreSixteenBySixteenAtTheirDepths) {
  struct Row {
    int resource;
    int bitsPerPixel;
  } rows[] = {{3032, 24}, {3026, 32}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.resource);
    const std::vector<std::uint8_t>* dib = host::loadBitmapResource(row.resource);
    ASSERT_NE(dib, nullptr);
    std::int32_t header = 0, width = 0, height = 0;
    std::uint16_t bits = 0;
    std::memcpy(&header, dib->data(), 4);
    std::memcpy(&width, dib->data() + 4, 4);
    std::memcpy(&height, dib->data() + 8, 4);
    std::memcpy(&bits, dib->data() + 14, 2);
    EXPECT_EQ(header, 40);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    EXPECT_EQ(bits, row.bitsPerPixel);
    const std::size_t stride = (16 * row.bitsPerPixel / 8 + 3) / 4 * 4;
    EXPECT_EQ(dib->size(), 40 + stride * 16);
    // A real picture: more than one colour.
    EXPECT_NE(std::memcmp(dib->data() + 40, dib->data() + 40 + stride * 7, stride), 0);
  }
  EXPECT_EQ(host::loadBitmapResource(1), nullptr);
}

}  // namespace

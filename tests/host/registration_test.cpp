// Registering the command with the host: text limits, the descriptor the host
// receives, the bitmap per host version, and each failure's 0xD408.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/bitmaps.h"
#include "host/host_library.h"
#include "host/registration.h"

namespace {

using host::HostChar;

// A host whose interface calls are recorded and answered by the test.
struct FakeHost {
  static inline std::vector<std::string> calls;
  static inline bool giveDescriptor = true;
  static inline std::uint32_t idToGive = 0x9C40;
  static inline int descriptor = 0;
  static inline const void* bitmapSeen = nullptr;

  static std::string ansi(const HostChar* s) {
    std::string out;
    for (; s != nullptr && *s != 0; ++s) out.push_back(static_cast<char>(*s));
    return out;
  }
  static void toHost(const char* a, HostChar* out) {
    while (*a != 0) *out++ = static_cast<unsigned char>(*a++);
    *out = 0;
  }
  static void* create(const HostChar* name, std::intptr_t, std::intptr_t, const HostChar* t1, const HostChar* t2,
                      const HostChar* t3, std::intptr_t, std::intptr_t, std::intptr_t, const void* bitmap,
                      std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t) {
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

  // Functions answering with a descriptor or not, and with this id.
  static host::HostFunctions functions(bool descriptor, std::uint32_t hostId) {
    calls.clear();
    giveDescriptor = descriptor;
    idToGive = hostId;
    host::HostFunctions f;
    f.ansiToHostString = &toHost;
    f.createCommandDescriptor = &create;
    f.addDynamicCommand = &add;
    f.getDynamicCommandId = &FakeHost::id;
    f.destroyCommandDescriptor = &destroy;
    return f;
  }
};

TEST(CommandRegistration, SendsTheDescriptorThenAsksForTheId) {
  // Only the low 16 bits of the host's answer are the id.
  EXPECT_EQ(host::registerCommand(FakeHost::functions(true, 0x12349C40), host::lexordaCommand(0xC001, 17)), 0x9C40u);
  EXPECT_EQ(FakeHost::calls, (std::vector<std::string>{"create Velmor TOA|TOA Tool|Lexorda|Table of Authorities Tool",
                                                       "add 49153", "id Velmor TOA", "destroy"}));
  EXPECT_EQ(FakeHost::bitmapSeen, host::loadBitmapResource(3026)->data());
  EXPECT_EQ(host::lexordaCommand(7, 16).bitmapResource, 3032) << "hosts up to 16 get the 24-bit bitmap";
  EXPECT_EQ(host::lexordaCommand(7, 18).bitmapResource, 3026);
}

TEST(CommandRegistration, TooLongTextsAndHostFailuresGive0xD408) {
  const struct { const char* name; std::size_t nameLength, textLength; bool descriptor;
                 std::uint32_t hostId, expected; std::size_t hostCalls; } rows[] = {
      {"49-character name accepted", 49, 8, true, 0x9C40, 0x9C40, 4},
      {"50-character name refused before the host sees it", 50, 8, true, 0x9C40, 0xD408, 0},
      {"49-character display text accepted", 10, 49, true, 0x9C40, 0x9C40, 4},
      {"50-character display text refused", 10, 50, true, 0x9C40, 0xD408, 0},
      {"no descriptor", 10, 8, false, 0x9C40, 0xD408, 1},
      {"no id for the name: the descriptor is still destroyed", 10, 8, true, 0x0001D408, 0xD408, 4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const host::HostFunctions f = FakeHost::functions(row.descriptor, row.hostId);
    host::CommandRegistration command = host::lexordaCommand(1, 17);
    command.commandName = std::string(row.nameLength, 'n');
    command.displayTexts[2] = std::string(row.textLength, 't');
    EXPECT_EQ(host::registerCommand(f, command), row.expected);
    EXPECT_EQ(FakeHost::calls.size(), row.hostCalls);
  }
  EXPECT_EQ(host::registerCommand(host::HostFunctions{}, host::lexordaCommand(1, 17)), 0xD408u) << "unbound host";
}

TEST(CommandBitmaps, AreSixteenBySixteenAtTheirDepths) {
  for (const auto& [resource, bitsPerPixel] : {std::pair{3032, 24}, {3026, 32}}) {
    SCOPED_TRACE(resource);
    const std::vector<std::uint8_t>* dib = host::loadBitmapResource(resource);
    ASSERT_NE(dib, nullptr);
    std::int32_t header[3] = {};  // size, width, height
    std::uint16_t bits = 0;
    std::memcpy(header, dib->data(), sizeof header);
    std::memcpy(&bits, dib->data() + 14, 2);
    EXPECT_EQ(std::vector<std::int32_t>(header, header + 3), (std::vector<std::int32_t>{40, 16, 16}));
    EXPECT_EQ(bits, bitsPerPixel);
    const std::size_t stride = (16 * bitsPerPixel / 8 + 3) / 4 * 4;
    EXPECT_EQ(dib->size(), 40 + stride * 16);
    EXPECT_NE(std::memcmp(dib->data() + 40, dib->data() + 40 + stride * 7, stride), 0) << "a picture, not one colour";
  }
  EXPECT_EQ(host::loadBitmapResource(1), nullptr);
}

}  // namespace

// The interface library's real effects, called as a plug-in calls them. In:
// command descriptors (names, texts, bitmaps) added under host atoms. Out:
// the host's own copies, temporary ids per atom, the failure id, removals
// and command-bar styles.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "quillon/libs/interface_library.h"
#include "tests/quillon/fixtures.h"
#include "tests/quillon/loaded_library.h"

namespace {

using HostChar = std::uint16_t;
using Units = std::vector<HostChar>;
using CreateFn = void* (*)(const HostChar*, std::intptr_t, std::intptr_t, const HostChar*, const HostChar*,
                           const HostChar*, std::intptr_t, std::intptr_t, std::intptr_t, const void*, std::intptr_t,
                           std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t);

constexpr std::uint32_t kUnknown = 0xD408;
constexpr std::uint32_t kFirstId = 0x9C40;
constexpr std::uint32_t kAtom = 0xC123;

Units host(const std::u16string& text) {
  Units units(text.begin(), text.end());
  units.push_back(0);
  return units;
}

std::u16string textOf(const std::uint16_t* units) {
  std::u16string text;
  for (; *units != 0; ++units) text += static_cast<char16_t>(*units);
  return text;
}

// A packed DIB: 40-byte header, optional colour table, rows padded to 4.
std::vector<std::uint8_t> dib(std::int32_t width, std::int32_t height, std::uint16_t bits,
                              std::uint32_t headerSize = 40, std::uint32_t coloursUsed = 0) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  const std::size_t table = bits <= 8 ? 4 * (coloursUsed != 0 ? coloursUsed : 1u << bits) : 0;
  std::vector<std::uint8_t> bytes(40 + table + stride * static_cast<std::size_t>(std::abs(height)), 0);
  const std::uint16_t planes = 1;
  std::memcpy(&bytes[0], &headerSize, 4);
  std::memcpy(&bytes[4], &width, 4);
  std::memcpy(&bytes[8], &height, 4);
  std::memcpy(&bytes[12], &planes, 2);
  std::memcpy(&bytes[14], &bits, 2);
  std::memcpy(&bytes[32], &coloursUsed, 4);
  for (std::size_t i = 40 + table; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  return bytes;
}

std::string copyOfTheLibrary(const quillon_test::TemporaryFolder& folder) {
  std::filesystem::copy_file(QUILLON_INTERFACE_LIBRARY, folder.file("hostifc170.so"));
  return folder.file("hostifc170.so");
}

// Each test loads its own copy of the library, so its process-wide state (ids
// counted from 0x9C40, the lists) starts fresh.
class InterfaceLibrary : public testing::Test {
 protected:
  void SetUp() override {
    for (const void* fn : {(void*)create, (void*)destroy, (void*)add, (void*)idOf, (void*)remove, (void*)getStyle,
                           (void*)setStyle, (void*)count, (void*)at, (void*)pixels, (void*)live})
      ASSERT_NE(fn, nullptr);
  }
  // Registers a command as a plug-in does (create, add, destroy) and returns
  // GetDynamicCommandId.
  std::uint32_t registerCommand(std::uint32_t atom, const std::u16string& name, const std::u16string& text1 = u"Tool",
                                const void* bitmap = nullptr) {
    const auto n = host(name), t1 = host(text1), t2 = host(u"Second"), t3 = host(u"Third");
    void* descriptor = create(n.data(), 0, 0, t1.data(), t2.data(), t3.data(), 0, 0, 0, bitmap, 0, 0, 0, 0, 0);
    add(atom, descriptor);
    destroy(descriptor);
    return idOf(atom, n.data());
  }
  QuillonCommandInfo infoAt(std::uint32_t atom, std::uint32_t index) {
    QuillonCommandInfo info{};
    EXPECT_EQ(at(atom, index, &info), 1);
    return info;
  }

  quillon_test::TemporaryFolder folder_;
  quillon_test::LoadedLibrary library_{copyOfTheLibrary(folder_)};
  template <typename Fn>
  Fn bind(const char* name) { return library_.function<Fn>(name); }
  CreateFn create = bind<CreateFn>("CreateCommandDescriptor");
  void (*destroy)(void*) = bind<decltype(destroy)>("DestroyCommandDescriptor");
  void (*add)(std::uint32_t, void*) = bind<decltype(add)>("AddDynamicCommand");
  std::uint32_t (*idOf)(std::uint32_t, const HostChar*) = bind<decltype(idOf)>("GetDynamicCommandId");
  std::int32_t (*remove)(std::uint32_t, const HostChar*) = bind<decltype(remove)>("RemoveDynamicCommand");
  std::uint32_t (*getStyle)(void*) = bind<decltype(getStyle)>("GetCommandBarStyle");
  std::uint32_t (*setStyle)(void*, std::uint32_t) = bind<decltype(setStyle)>("SetCommandBarStyle");
  quillon::DynamicCommandCountFn count = bind<decltype(count)>(quillon::kDynamicCommandCountName);
  quillon::DynamicCommandAtFn at = bind<decltype(at)>(quillon::kDynamicCommandAtName);
  quillon::DynamicCommandPixelsFn pixels = bind<decltype(pixels)>(quillon::kDynamicCommandPixelsName);
  quillon::LiveDescriptorCountFn live = bind<decltype(live)>(quillon::kLiveDescriptorCountName);
};

TEST_F(InterfaceLibrary, TheHostKeepsItsOwnCopyOfTheDescriptor) {
  auto name = host(u"Velmor TOA"), t1 = host(u"TOA Tool"), t2 = host(u"Lexorda"), t3 = host(u"Table Tool");
  std::vector<std::uint8_t> bitmap = dib(16, 16, 24);
  const std::vector<std::uint8_t> original = bitmap;
  void* descriptor =
      create(name.data(), 0, 0, t1.data(), t2.data(), t3.data(), 0, 0, 77, bitmap.data(), 0, 0, 0, 0, 0);
  ASSERT_NE(descriptor, nullptr);
  add(kAtom, descriptor);
  destroy(descriptor);
  EXPECT_EQ(live(), 0u);
  // The plug-in's buffers die with its stack frame.
  std::fill(name.begin(), name.end() - 1, 'X');
  std::fill(t1.begin(), t1.end() - 1, 'X');
  std::fill(bitmap.begin(), bitmap.end(), 0);

  ASSERT_EQ(count(kAtom), 1u);
  const QuillonCommandInfo info = infoAt(kAtom, 0);
  EXPECT_EQ(info.id, kFirstId);
  EXPECT_EQ(textOf(info.name), u"Velmor TOA");
  EXPECT_EQ(textOf(info.displayTexts[0]), u"TOA Tool");
  EXPECT_EQ(textOf(info.displayTexts[1]), u"Lexorda");
  EXPECT_EQ(textOf(info.displayTexts[2]), u"Table Tool");
  EXPECT_EQ(info.hostArgument, 77);
  EXPECT_EQ(std::tuple(info.bitmapWidth, info.bitmapHeight, info.bitmapBitCount), std::tuple(16, 16, 24));
  std::vector<std::uint8_t> copied(info.bitmapPixelBytes);
  EXPECT_EQ(pixels(kAtom, 0, copied.data(), static_cast<std::uint32_t>(copied.size())), 16u * 48u);
  EXPECT_EQ(copied, std::vector<std::uint8_t>(original.begin() + 40, original.end()));
}

TEST_F(InterfaceLibrary, BitmapsAreReadOnlyFromPlausibleHeaders) {
  const struct { const char* name; std::vector<std::uint8_t> bitmap; std::int32_t width; std::uint16_t bits;
                 std::uint32_t pixelBytes; } rows[] = {  // width 0: stored without bitmap
      {"rows padded to 4 bytes", dib(5, 3, 24), 5, 24, 3 * 16},
      {"top-down rows", dib(4, -2, 32), 4, 32, 2 * 16},
      {"8 bits after a two-colour table", dib(4, 4, 8, 40, 2), 4, 8, 4 * 4},
      {"core header of 12 bytes", dib(16, 16, 24, 12), 0, 0, 0},
      {"zero width", dib(0, 16, 24), 0, 0, 0},
      {"bit count 7", dib(16, 16, 7), 0, 0, 0},
      {"absurd height", dib(16, 100000, 24), 0, 0, 0},
  };
  std::uint32_t index = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(registerCommand(kAtom, u"cmd" + std::u16string(1, u'a' + index), u"Tool", row.bitmap.data()), kUnknown);
    const QuillonCommandInfo info = infoAt(kAtom, index++);
    EXPECT_EQ(info.bitmapWidth, row.width);
    EXPECT_EQ(info.bitmapBitCount, row.bits);
    EXPECT_EQ(info.bitmapPixelBytes, row.pixelBytes);
  }
}

TEST_F(InterfaceLibrary, IdsCountFromFirstStayOnReAddAndGoWithRemoval) {
  EXPECT_EQ(registerCommand(kAtom, u"Alpha", u"first text"), kFirstId);
  EXPECT_EQ(registerCommand(kAtom, u"Beta"), kFirstId + 1);
  EXPECT_EQ(registerCommand(kAtom, u"Alpha", u"second text"), kFirstId) << "replaced in place";
  ASSERT_EQ(count(kAtom), 2u);
  EXPECT_EQ(textOf(infoAt(kAtom, 0).displayTexts[0]), u"second text");
  EXPECT_EQ(registerCommand(kAtom, u"Gamma"), kFirstId + 2);

  EXPECT_EQ(remove(kAtom, host(u"Alpha").data()), 1);
  EXPECT_EQ(remove(kAtom, host(u"Alpha").data()), 0);
  EXPECT_EQ(remove(kAtom, nullptr), 0);
  EXPECT_EQ(idOf(kAtom, host(u"Alpha").data()), kUnknown);
  ASSERT_EQ(count(kAtom), 2u);
  EXPECT_EQ(textOf(infoAt(kAtom, 0).name), u"Beta");
}

TEST_F(InterfaceLibrary, EachAtomHasItsOwnListAndUnknownNamesGiveTheFailureId) {
  const std::uint32_t other = 0xC200;
  const std::uint32_t first = registerCommand(kAtom, u"Velmor TOA");
  const std::uint32_t second = registerCommand(other, u"Velmor TOA");
  EXPECT_NE(first, second);
  EXPECT_EQ(count(kAtom), 1u);
  EXPECT_EQ(count(other), 1u);
  EXPECT_EQ(count(0xC300), 0u);
  EXPECT_EQ(idOf(kAtom | 0x10000, host(u"Velmor TOA").data()), first) << "only the low 16 bits name the atom";
  QuillonCommandInfo info{};
  EXPECT_EQ(at(other, 1, &info), 0) << "index beyond the list";
  EXPECT_EQ(at(other, 0, nullptr), 0);

  const struct { const char* name; std::uint32_t atom; std::u16string command; } rows[] = {
      {"never registered", kAtom, u"Other"},
      {"differs in letter case", kAtom, u"velmor toa"},
      {"an atom without commands", 0xC300, u"Velmor TOA"},
      {"prefix of a registered name", kAtom, u"Velmor"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(idOf(row.atom, host(row.command).data()), kUnknown);
  }
  EXPECT_EQ(idOf(kAtom, nullptr), kUnknown);
}

TEST_F(InterfaceLibrary, BadDescriptorsAreRefusedOrIgnored) {
  const auto text = host(u"Tool"), name = host(u"Bare");
  EXPECT_EQ(create(nullptr, 0, 0, text.data(), text.data(), text.data(), 0, 0, 0, nullptr, 0, 0, 0, 0, 0), nullptr);
  // Missing display texts and bitmap are simply empty.
  void* descriptor = create(name.data(), 0, 0, nullptr, nullptr, nullptr, 0, 0, 0, nullptr, 0, 0, 0, 0, 0);
  EXPECT_EQ(live(), 1u);
  add(kAtom, descriptor);
  destroy(descriptor);
  destroy(descriptor);
  destroy(nullptr);
  EXPECT_EQ(live(), 0u);
  const QuillonCommandInfo info = infoAt(kAtom, 0);
  EXPECT_EQ(textOf(info.displayTexts[0]), u"");
  EXPECT_EQ(info.bitmapWidth, 0);
  int notADescriptor = 0;
  add(kAtom, descriptor);  // destroyed
  add(kAtom, &notADescriptor);
  add(kAtom, nullptr);
  EXPECT_EQ(count(kAtom), 1u);
}

TEST_F(InterfaceLibrary, BarStylesAreKeptPerWindow) {
  int barA = 0, barB = 0;
  EXPECT_EQ(getStyle(&barA), 0u);
  EXPECT_EQ(setStyle(&barA, 8), 0u);
  EXPECT_EQ(getStyle(&barA), 8u);
  EXPECT_EQ(getStyle(&barB), 0u);
  EXPECT_EQ(setStyle(&barA, 3), 8u);
  EXPECT_EQ(getStyle(&barA), 3u);
}

}  // namespace

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
#include "tests/quillon/block_builder.h"
#include "tests/quillon/fixtures.h"

namespace {

using quillon_test::CreateFn;
using quillon_test::HostChar;
using Units = std::vector<HostChar>;

constexpr std::uint32_t kUnknown = 0xD408;
constexpr std::uint32_t kFirstId = 0x9C40;
constexpr std::uint32_t kAtom = 0xC123;

Units host(const std::u16string& text) { return Units(text.c_str(), text.c_str() + text.size() + 1); }
std::u16string textOf(const std::uint16_t* units) { return reinterpret_cast<const char16_t*>(units); }

// A packed DIB of 16 bits or more: 40-byte header, rows padded to 4.
std::vector<std::uint8_t> dib(std::int32_t width, std::int32_t height, std::uint16_t bits,
                              std::uint32_t headerSize = 40) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  std::vector<std::uint8_t> bytes(40 + stride * static_cast<std::size_t>(std::abs(height)), 0);
  const auto put = [&bytes](std::size_t at, auto value) { std::memcpy(&bytes[at], &value, sizeof value); };
  put(0, headerSize), put(4, width), put(8, height), put(12, std::uint16_t{1}), put(14, bits);
  for (std::size_t i = 40; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
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
    ASSERT_TRUE(create && destroy && add && idOf && remove && getStyle && setStyle && count && at && pixels && live);
  }
  // Registers a command as a plug-in does (create, add, destroy) and returns
  // GetDynamicCommandId.
  std::uint32_t registerCommand(std::uint32_t atom, const std::u16string& name, const void* bitmap = nullptr) {
    const auto n = host(name), text = host(u"Tool");
    void* descriptor = create(n.data(), 0, 0, text.data(), text.data(), text.data(), 0, 0, 0, bitmap, 0, 0, 0, 0, 0);
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
  auto name = host(u"Velmor TOA"), t1 = host(u"TOA Tool"), t3 = host(u"Table Tool");
  std::vector<std::uint8_t> bitmap = dib(16, 16, 24);
  const std::vector<std::uint8_t> original = bitmap;
  void* descriptor =
      create(name.data(), 0, 0, t1.data(), t1.data(), t3.data(), 0, 0, 77, bitmap.data(), 0, 0, 0, 0, 0);
  add(kAtom, descriptor);
  destroy(descriptor);
  // The plug-in's buffers die with its stack frame.
  std::fill(name.begin(), name.end() - 1, 'X');
  std::fill(t3.begin(), t3.end() - 1, 'X');
  std::fill(bitmap.begin(), bitmap.end(), 0);

  const QuillonCommandInfo info = infoAt(kAtom, 0);
  EXPECT_EQ(textOf(info.name), u"Velmor TOA");
  EXPECT_EQ(textOf(info.displayTexts[2]), u"Table Tool");
  EXPECT_EQ(info.hostArgument, 77);
  EXPECT_EQ(std::tuple(info.bitmapWidth, info.bitmapHeight, info.bitmapBitCount), std::tuple(16, 16, 24));
  std::vector<std::uint8_t> copied(info.bitmapPixelBytes);
  EXPECT_EQ(pixels(kAtom, 0, copied.data(), static_cast<std::uint32_t>(copied.size())), 16u * 48u);
  EXPECT_EQ(copied, std::vector<std::uint8_t>(original.begin() + 40, original.end()));
}

TEST_F(InterfaceLibrary, BitmapsAreReadOnlyFromPlausibleHeaders) {
  // width 0: stored without bitmap.
  const struct { std::vector<std::uint8_t> bitmap; std::int32_t width; std::uint32_t pixelBytes; } rows[] = {
      {dib(5, 3, 24), 5, 3 * 16}, {dib(4, -2, 32), 4, 2 * 16}, {dib(16, 16, 24, 12), 0, 0}, {dib(16, 99999, 24), 0, 0}};
  std::uint32_t index = 0;
  for (const auto& row : rows) {
    ASSERT_NE(registerCommand(kAtom, u"cmd" + std::u16string(1, u'a' + index), row.bitmap.data()), kUnknown);
    const QuillonCommandInfo info = infoAt(kAtom, index++);
    EXPECT_EQ(std::pair(info.bitmapWidth, info.bitmapPixelBytes), std::pair(row.width, row.pixelBytes)) << index;
  }
}

TEST_F(InterfaceLibrary, IdsAreStablePerAtomAndUnknownNamesGiveTheFailureId) {
  EXPECT_EQ(registerCommand(kAtom, u"Alpha"), kFirstId);
  EXPECT_EQ(registerCommand(kAtom, u"Beta"), kFirstId + 1);
  EXPECT_EQ(registerCommand(kAtom, u"Alpha"), kFirstId) << "replaced in place, id kept";
  EXPECT_EQ(count(kAtom), 2u);
  constexpr std::uint32_t other = 0xC200;
  EXPECT_EQ(registerCommand(other, u"Alpha"), kFirstId + 2) << "another atom's list";
  EXPECT_EQ(idOf(kAtom | 0x10000, host(u"Alpha").data()), kFirstId) << "only the low 16 bits name the atom";

  EXPECT_EQ(remove(kAtom, host(u"Alpha").data()), 1);
  EXPECT_EQ(remove(kAtom, host(u"Alpha").data()), 0);
  EXPECT_EQ(textOf(infoAt(kAtom, 0).name), u"Beta");
  EXPECT_EQ(idOf(other, host(u"Alpha").data()), kFirstId + 2) << "removal is per atom";
  // Removed, differs in letter case, an atom without commands, a prefix.
  for (const auto& [atom, command] :
       {std::pair{kAtom, u"Alpha"}, {kAtom, u"beta"}, {0xC300, u"Beta"}, {kAtom, u"Bet"}}) {
    EXPECT_EQ(idOf(atom, host(command).data()), kUnknown);
  }
  EXPECT_EQ(idOf(kAtom, nullptr), kUnknown);
}

TEST_F(InterfaceLibrary, BadDescriptorsAreRefusedOrIgnored) {
  const auto text = host(u"Tool"), name = host(u"Bare");
  EXPECT_EQ(create(nullptr, 0, 0, text.data(), text.data(), text.data(), 0, 0, 0, nullptr, 0, 0, 0, 0, 0), nullptr);
  // Missing display texts and bitmap are simply empty.
  void* descriptor = create(name.data(), 0, 0, nullptr, nullptr, nullptr, 0, 0, 0, nullptr, 0, 0, 0, 0, 0);
  add(kAtom, descriptor);
  destroy(descriptor), destroy(descriptor);
  EXPECT_EQ(live(), 0u);
  EXPECT_EQ(textOf(infoAt(kAtom, 0).displayTexts[0]), u"");
  int notADescriptor = 0;
  add(kAtom, descriptor), add(kAtom, &notADescriptor), add(kAtom, nullptr);  // destroyed, foreign, null
  EXPECT_EQ(count(kAtom), 1u);
  QuillonCommandInfo info{};
  EXPECT_EQ(at(kAtom, 1, &info), 0) << "index beyond the list";
}

TEST_F(InterfaceLibrary, BarStylesAreKeptPerWindow) {
  int barA = 0, barB = 0;
  EXPECT_EQ(setStyle(&barA, 8), 0u) << "the previous style";
  EXPECT_EQ(setStyle(&barA, 3), 8u);
  EXPECT_EQ(getStyle(&barA), 3u);
  EXPECT_EQ(getStyle(&barB), 0u);
}

}  // namespace

// The interface library's real effects, called as a plug-in calls them:
// command descriptors and what they copy, the dynamic command lists per host
// atom with their temporary ids, and command-bar styles.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quillon/libs/interface_library.h"
#include "tests/quillon/fixtures.h"
#include "tests/quillon/loaded_library.h"

namespace {

using HostChar = std::uint16_t;
using CreateFn = void* (*)(const HostChar*, std::intptr_t, std::intptr_t, const HostChar*,
                           const HostChar*, const HostChar*, std::intptr_t, std::intptr_t,
                           std::intptr_t, const void*, std::intptr_t, std::intptr_t, std::intptr_t,
                           std::intptr_t, std::intptr_t);
using DestroyFn = void (*)(void*);
using AddFn = void (*)(std::uint32_t, void*);
using IdFn = std::uint32_t (*)(std::uint32_t, const HostChar*);
using RemoveFn = std::int32_t (*)(std::uint32_t, const HostChar*);
using GetStyleFn = std::uint32_t (*)(void*);
using SetStyleFn = std::uint32_t (*)(void*, std::uint32_t);

constexpr std::uint32_t kUnknown = 0xD408;
constexpr std::uint32_t kFirstId = 0x9C40;
constexpr std::uint32_t kAtom = 0xC123;

std::vector<HostChar> host(const std::u16string& text) {
  std::vector<HostChar> units(text.begin(), text.end());
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
  const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
  std::vector<std::uint8_t> bytes(40 + table + stride * rows, 0);
  std::memcpy(&bytes[0], &headerSize, 4);
  std::memcpy(&bytes[4], &width, 4);
  std::memcpy(&bytes[8], &height, 4);
  const std::uint16_t planes = 1;
  std::memcpy(&bytes[12], &planes, 2);
  std::memcpy(&bytes[14], &bits, 2);
  std::memcpy(&bytes[32], &coloursUsed, 4);
  for (std::size_t i = 40 + table; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(i * 7);
  return bytes;
}

// Each test gets its own copy of the library, so its process-wide state
// (ids counted from 0x9C40, the lists) starts fresh.
class InterfaceLibrary : public testing::Test {
 protected:
  void SetUp() override {
    const std::string copy = dir_.path() + "/hostifc170.so";
    std::filesystem::copy_file(QUILLON_INTERFACE_LIBRARY, copy);
    library_ = std::make_unique<quillon_test::LoadedLibrary>(copy);
    ASSERT_TRUE(library_->loaded());
    create = library_->function<CreateFn>("CreateCommandDescriptor");
    destroy = library_->function<DestroyFn>("DestroyCommandDescriptor");
    add = library_->function<AddFn>("AddDynamicCommand");
    idOf = library_->function<IdFn>("GetDynamicCommandId");
    remove = library_->function<RemoveFn>("RemoveDynamicCommand");
    getStyle = library_->function<GetStyleFn>("GetCommandBarStyle");
    setStyle = library_->function<SetStyleFn>("SetCommandBarStyle");
    count = library_->function<quillon::DynamicCommandCountFn>(quillon::kDynamicCommandCountName);
    at = library_->function<quillon::DynamicCommandAtFn>(quillon::kDynamicCommandAtName);
    pixels =
        library_->function<quillon::DynamicCommandPixelsFn>(quillon::kDynamicCommandPixelsName);
    live = library_->function<quillon::LiveDescriptorCountFn>(quillon::kLiveDescriptorCountName);
    for (const void* fn :
         {(void*)create, (void*)destroy, (void*)add, (void*)idOf, (void*)remove, (void*)getStyle,
          (void*)setStyle, (void*)count, (void*)at, (void*)pixels, (void*)live}) {
      ASSERT_NE(fn, nullptr);
    }
  }

  // Registers a command as a plug-in does and returns GetDynamicCommandId.
  std::uint32_t registerCommand(std::uint32_t atom, const std::u16string& name,
                                const std::u16string& text1 = u"Tool", const void* bitmap = nullptr,
                                std::intptr_t argument = 0) {
    const auto n = host(name), t1 = host(text1), t2 = host(u"Second"), t3 = host(u"Third");
    void* descriptor = create(n.data(), 0, 0, t1.data(), t2.data(), t3.data(), 0, 0, argument,
                              bitmap, 0, 0, 0, 0, 0);
    if (descriptor == nullptr) return 0;
    add(atom, descriptor);
    destroy(descriptor);
    return idOf(atom, n.data());
  }

  QuillonCommandInfo infoAt(std::uint32_t atom, std::uint32_t index) {
    QuillonCommandInfo info{};
    EXPECT_EQ(at(atom, index, &info), 1);
    return info;
  }

  quillon_test::TempDir dir_;
  std::unique_ptr<quillon_test::LoadedLibrary> library_;
  CreateFn create = nullptr;
  DestroyFn destroy = nullptr;
  AddFn add = nullptr;
  IdFn idOf = nullptr;
  RemoveFn remove = nullptr;
  GetStyleFn getStyle = nullptr;
  SetStyleFn setStyle = nullptr;
  quillon::DynamicCommandCountFn count = nullptr;
  quillon::DynamicCommandAtFn at = nullptr;
  quillon::DynamicCommandPixelsFn pixels = nullptr;
  quillon::LiveDescriptorCountFn live = nullptr;
};

TEST_F(InterfaceLibrary, TheHostKeepsItsOwnCopyOfTheDescriptor) {
  auto name = host(u"Velmor TOA");
  auto t1 = host(u"TOA Tool"), t2 = host(u"Lexorda"), t3 = host(u"Table of Authorities Tool");
  std::vector<std::uint8_t> bitmap = dib(16, 16, 24);
  const std::vector<std::uint8_t> original = bitmap;
  void* descriptor = create(name.data(), 0, 0, t1.data(), t2.data(), t3.data(), 0, 0, 77,
                            bitmap.data(), 0, 0, 0, 0, 0);
  ASSERT_NE(descriptor, nullptr);
  add(kAtom, descriptor);
  destroy(descriptor);
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
  EXPECT_EQ(textOf(info.displayTexts[2]), u"Table of Authorities Tool");
  EXPECT_EQ(info.hostArgument, 77);
  EXPECT_EQ(info.bitmapWidth, 16);
  EXPECT_EQ(info.bitmapHeight, 16);
  EXPECT_EQ(info.bitmapBitCount, 24);
  ASSERT_EQ(info.bitmapPixelBytes, 16u * 48u);
  std::vector<std::uint8_t> copied(info.bitmapPixelBytes);
  EXPECT_EQ(pixels(kAtom, 0, copied.data(), static_cast<std::uint32_t>(copied.size())),
            info.bitmapPixelBytes);
  EXPECT_EQ(copied, std::vector<std::uint8_t>(original.begin() + 40, original.end()));
  EXPECT_EQ(live(), 0u);
}

TEST_F(InterfaceLibrary, BitmapsAreReadOnlyFromPlausibleHeaders) {
  struct Row {
    const char* name;
    std::vector<std::uint8_t> bitmap;
    std::int32_t width;  // 0: stored without bitmap
    std::uint16_t bits;
    std::uint32_t pixelBytes;
  } rows[] = {
      {"16x16 at 24 bits", dib(16, 16, 24), 16, 24, 16 * 48},
      {"16x16 at 32 bits", dib(16, 16, 32), 16, 32, 16 * 64},
      {"rows padded to 4 bytes", dib(5, 3, 24), 5, 24, 3 * 16},
      {"top-down rows", dib(4, -2, 32), 4, 32, 2 * 16},
      {"8 bits after a two-colour table", dib(4, 4, 8, 40, 2), 4, 8, 4 * 4},
      {"core header of 12 bytes", dib(16, 16, 24, 12), 0, 0, 0},
      {"zero width", dib(0, 16, 24), 0, 0, 0},
      {"bit count 7", dib(16, 16, 7), 0, 0, 0},
      {"absurd height", dib(16, 100000, 24), 0, 0, 0},
  };
  std::uint32_t index = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(registerCommand(kAtom, u"cmd" + std::u16string(1, u'a' + index), u"Tool",
                              row.bitmap.data()),
              kUnknown);
    const QuillonCommandInfo info = infoAt(kAtom, index++);
    EXPECT_EQ(info.bitmapWidth, row.width);
    EXPECT_EQ(info.bitmapBitCount, row.bits);
    EXPECT_EQ(info.bitmapPixelBytes, row.pixelBytes);
  }
}

TEST_F(InterfaceLibrary, DescriptorNeedsAName) {
  const auto text = host(u"Tool");
  EXPECT_EQ(
      create(nullptr, 0, 0, text.data(), text.data(), text.data(), 0, 0, 0, nullptr, 0, 0, 0, 0, 0),
      nullptr);
  // Missing display texts and bitmap are simply empty.
  const auto name = host(u"Bare");
  void* descriptor =
      create(name.data(), 0, 0, nullptr, nullptr, nullptr, 0, 0, 0, nullptr, 0, 0, 0, 0, 0);
  ASSERT_NE(descriptor, nullptr);
  add(kAtom, descriptor);
  destroy(descriptor);
  const QuillonCommandInfo info = infoAt(kAtom, 0);
  EXPECT_EQ(textOf(info.displayTexts[0]), u"");
  EXPECT_EQ(info.bitmapWidth, 0);
}

TEST_F(InterfaceLibrary, IdsCountFromFirstAndStayOnReAdd) {
  EXPECT_EQ(registerCommand(kAtom, u"Alpha", u"first text"), kFirstId);
  EXPECT_EQ(registerCommand(kAtom, u"Beta"), kFirstId + 1);
  // Adding Alpha again replaces it in place and keeps its id.
  EXPECT_EQ(registerCommand(kAtom, u"Alpha", u"second text"), kFirstId);
  ASSERT_EQ(count(kAtom), 2u);
  const QuillonCommandInfo alpha = infoAt(kAtom, 0);
  EXPECT_EQ(textOf(alpha.name), u"Alpha");
  EXPECT_EQ(textOf(alpha.displayTexts[0]), u"second text");
  EXPECT_EQ(registerCommand(kAtom, u"Gamma"), kFirstId + 2);
}

TEST_F(InterfaceLibrary, UnknownNamesGiveTheFailureId) {
  ASSERT_EQ(registerCommand(kAtom, u"Velmor TOA"), kFirstId);
  struct Row {
    const char* name;
    std::uint32_t atom;
    std::u16string command;
  } rows[] = {
      {"never registered", kAtom, u"Other"},
      {"differs in letter case", kAtom, u"velmor toa"},
      {"registered under another atom", kAtom + 1, u"Velmor TOA"},
      {"prefix of a registered name", kAtom, u"Velmor"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(idOf(row.atom, host(row.command).data()), kUnknown);
  }
  EXPECT_EQ(idOf(kAtom, nullptr), kUnknown);
}

TEST_F(InterfaceLibrary, EachAtomHasItsOwnList) {
  const std::uint32_t other = 0xC200;
  const std::uint32_t first = registerCommand(kAtom, u"Shared");
  const std::uint32_t second = registerCommand(other, u"Shared");
  EXPECT_NE(first, second);
  EXPECT_EQ(count(kAtom), 1u);
  EXPECT_EQ(count(other), 1u);
  EXPECT_EQ(count(0xC300), 0u);
  // Only the low 16 bits name the atom.
  EXPECT_EQ(idOf(kAtom | 0x10000, host(u"Shared").data()), first);
  QuillonCommandInfo info{};
  EXPECT_EQ(at(other, 1, &info), 0) << "index beyond the list";
  EXPECT_EQ(at(other, 0, nullptr), 0);
}

TEST_F(InterfaceLibrary, RemovedCommandsAreGone) {
  registerCommand(kAtom, u"Alpha");
  registerCommand(kAtom, u"Beta");
  EXPECT_EQ(remove(kAtom, host(u"Alpha").data()), 1);
  EXPECT_EQ(remove(kAtom, host(u"Alpha").data()), 0);
  EXPECT_EQ(remove(kAtom, nullptr), 0);
  EXPECT_EQ(idOf(kAtom, host(u"Alpha").data()), kUnknown);
  ASSERT_EQ(count(kAtom), 1u);
  EXPECT_EQ(textOf(infoAt(kAtom, 0).name), u"Beta");
}

TEST_F(InterfaceLibrary, UnknownDescriptorsAreIgnored) {
  const auto name = host(u"Once");
  void* descriptor =
      create(name.data(), 0, 0, nullptr, nullptr, nullptr, 0, 0, 0, nullptr, 0, 0, 0, 0, 0);
  EXPECT_EQ(live(), 1u);
  destroy(descriptor);
  destroy(descriptor);
  destroy(nullptr);
  EXPECT_EQ(live(), 0u);
  int notADescriptor = 0;
  add(kAtom, descriptor);
  add(kAtom, &notADescriptor);
  add(kAtom, nullptr);
  EXPECT_EQ(count(kAtom), 0u);
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

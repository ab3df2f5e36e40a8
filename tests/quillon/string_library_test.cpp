// The host's string library as a plug-in calls it: Windows-1252 to host
// strings and back, lengths in bytes, substring search, null arguments.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/quillon/loaded_library.h"

namespace {

using HostChar = std::uint16_t;
using ToAnsiFn = void (*)(const HostChar*, char*);
using ToHostFn = void (*)(const char*, HostChar*);
using LengthFn = std::int32_t (*)(const HostChar*);
using FindFn = const HostChar* (*)(const HostChar*, const HostChar*);

class StringLibrary : public testing::Test {
 protected:
  quillon_test::LoadedLibrary library{QUILLON_STRING_LIBRARY};
  ToAnsiFn toAnsi = library.function<ToAnsiFn>("HostStringToAnsi");
  ToHostFn toHost = library.function<ToHostFn>("AnsiToHostString");
  LengthFn length = library.function<LengthFn>("HostStringLength");
  FindFn find = library.function<FindFn>("HostStringFind");

  void SetUp() override {
    ASSERT_TRUE(library.loaded());
    ASSERT_NE(toAnsi, nullptr);
    ASSERT_NE(toHost, nullptr);
    ASSERT_NE(length, nullptr);
    ASSERT_NE(find, nullptr);
  }

  std::vector<HostChar> hostOf(const std::string& ansi) {
    std::vector<HostChar> units(ansi.size() + 1, 0xAAAA);
    toHost(ansi.c_str(), units.data());
    return units;
  }
};

TEST_F(StringLibrary, EveryByteMapsToItsCodePointAndBack) {
  // The code points of Windows-1252 where they differ from the byte; the five
  // undefined bytes keep their own value.
  const std::pair<unsigned char, HostChar> differing[] = {
      {0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026},
      {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160},
      {0x8B, 0x2039}, {0x8C, 0x0152}, {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019},
      {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
      {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153},
      {0x9E, 0x017E}, {0x9F, 0x0178}};
  for (int byte = 1; byte < 256; ++byte) {
    SCOPED_TRACE("byte " + std::to_string(byte));
    HostChar expected = static_cast<HostChar>(byte);
    for (const auto& [from, to] : differing) {
      if (from == byte) expected = to;
    }
    const std::string ansi(1, static_cast<char>(byte));
    const std::vector<HostChar> units = hostOf(ansi);
    EXPECT_EQ(units[0], expected);
    EXPECT_EQ(units[1], 0) << "terminator";

    char back[4] = {'x', 'x', 'x', 'x'};
    toAnsi(units.data(), back);
    EXPECT_EQ(static_cast<unsigned char>(back[0]), byte);
    EXPECT_EQ(back[1], '\0');
  }
}

TEST_F(StringLibrary, UnitsWithoutAWindows1252ByteBecomeQuestionMarks) {
  struct Row {
    const char* name;
    std::vector<HostChar> units;
    std::string ansi;
  } rows[] = {
      {"Latin Extended-A letter", {0x0100, 0}, "?"},
      {"Greek letter between plain ones", {'a', 0x03B1, 'b', 0}, "a?b"},
      {"euro sign has a byte", {0x20AC, 0}, "\x80"},
      {"C1 control that 1252 redefines", {0x0080, 0}, "?"},
      {"undefined byte's own value", {0x0081, 0}, "\x81"},
      {"section sign passes through", {0x00A7, ' ', '1', 0}, "\xA7 1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string out(row.units.size() + 2, 'x');
    toAnsi(row.units.data(), out.data());
    EXPECT_EQ(std::string(out.c_str()), row.ansi);
  }
}

TEST_F(StringLibrary, LengthCountsBytesWithoutTheTerminator) {
  const std::vector<HostChar> empty = {0};
  const std::vector<HostChar> three = {'a', 0x20AC, 'c', 0};
  const std::vector<HostChar> fortyNine(50, 'x');
  std::vector<HostChar> terminated = fortyNine;
  terminated.back() = 0;
  EXPECT_EQ(length(empty.data()), 0);
  EXPECT_EQ(length(three.data()), 6);
  EXPECT_EQ(length(terminated.data()), 98);
  EXPECT_EQ(length(nullptr), 0);
}

TEST_F(StringLibrary, FindReturnsTheFirstOccurrence) {
  const std::vector<HostChar> haystack = hostOf("Smith v. Jones, v. Brown");
  struct Row {
    const char* name;
    std::string needle;
    long offset;  // -1: not found
  } rows[] = {
      {"first of two occurrences", "v.", 6},
      {"at the start", "Smith", 0},
      {"at the end", "Brown", 19},
      {"absent", "Green", -1},
      {"longer than the haystack", "Smith v. Jones, v. Brown and more", -1},
      {"empty needle is found at the start", "", 0},
      {"differs in letter case", "smith", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<HostChar> needle = hostOf(row.needle);
    const HostChar* found = find(haystack.data(), needle.data());
    if (row.offset < 0) {
      EXPECT_EQ(found, nullptr);
    } else {
      EXPECT_EQ(found, haystack.data() + row.offset);
    }
  }
}

TEST_F(StringLibrary, NullArgumentsAreHarmless) {
  char ansi[2] = {'x', 'x'};
  toAnsi(nullptr, ansi);
  EXPECT_EQ(ansi[0], '\0');
  HostChar units[2] = {0xAAAA, 0xAAAA};
  toHost(nullptr, units);
  EXPECT_EQ(units[0], 0);
  toAnsi(units, nullptr);
  toHost("abc", nullptr);
  const std::vector<HostChar> text = hostOf("abc");
  EXPECT_EQ(find(nullptr, text.data()), nullptr);
  EXPECT_EQ(find(text.data(), nullptr), nullptr);
}

TEST_F(StringLibrary, ConversionWritesExactlyOneUnitPerByteAndATerminator) {
  // The plug-in sizes its buffers by this: a write beyond would corrupt it.
  std::vector<HostChar> units(8, 0xBEEF);
  toHost("abc", units.data());
  EXPECT_EQ(units[3], 0);
  EXPECT_EQ(units[4], 0xBEEF);
  std::string ansi(8, '#');
  toAnsi(units.data(), ansi.data());
  EXPECT_EQ(ansi.substr(0, 5), std::string("abc\0#", 5));
}

}  // namespace

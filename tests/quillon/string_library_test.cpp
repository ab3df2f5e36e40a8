// The host's string library as a plug-in calls it. In: Windows-1252 bytes,
// host strings and null arguments. Out: conversions both ways, lengths in
// bytes and substring search.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/quillon/loaded_library.h"

namespace {

using HostChar = std::uint16_t;
using Units = std::vector<HostChar>;

class StringLibrary : public testing::Test {
 protected:
  void SetUp() override {
    for (const void* fn : {(void*)toAnsi, (void*)toHost, (void*)length, (void*)find}) ASSERT_NE(fn, nullptr);
  }
  // The conversion of ansi, in a buffer one unit longer than it needs.
  Units hostOf(const std::string& ansi) {
    Units units(ansi.size() + 2, 0xBEEF);
    toHost(ansi.c_str(), units.data());
    return units;
  }

  quillon_test::LoadedLibrary library{QUILLON_STRING_LIBRARY};
  void (*toAnsi)(const HostChar*, char*) = library.function<decltype(toAnsi)>("HostStringToAnsi");
  void (*toHost)(const char*, HostChar*) = library.function<decltype(toHost)>("AnsiToHostString");
  std::int32_t (*length)(const HostChar*) = library.function<decltype(length)>("HostStringLength");
  const HostChar* (*find)(const HostChar*, const HostChar*) = library.function<decltype(find)>("HostStringFind");
};

TEST_F(StringLibrary, EveryByteMapsToItsCodePointAndBack) {
  // The code points of Windows-1252 where they differ from the byte; the five
  // undefined bytes keep their own value.
  const std::pair<int, HostChar> differing[] = {
      {0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026}, {0x86, 0x2020},
      {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039}, {0x8C, 0x0152},
      {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022},
      {0x96, 0x2013}, {0x97, 0x2014}, {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A},
      {0x9C, 0x0153}, {0x9E, 0x017E}, {0x9F, 0x0178}};
  for (int byte = 1; byte < 256; ++byte) {
    SCOPED_TRACE("byte " + std::to_string(byte));
    HostChar expected = static_cast<HostChar>(byte);
    for (const auto& [from, to] : differing) expected = from == byte ? to : expected;
    const Units units = hostOf(std::string(1, static_cast<char>(byte)));
    // One unit and a terminator, nothing written beyond: the plug-in sizes
    // its buffers by this.
    EXPECT_EQ(units, (Units{expected, 0, 0xBEEF}));
    char back[3] = {'x', 'x', 'x'};
    toAnsi(units.data(), back);
    EXPECT_EQ(std::string(back, 3), std::string({static_cast<char>(byte), '\0', 'x'}));
  }
}

TEST_F(StringLibrary, UnitsWithoutAWindows1252ByteBecomeQuestionMarks) {
  const struct { const char* name; Units units; std::string ansi; } rows[] = {
      {"Latin Extended-A letter", {0x0100, 0}, "?"},
      {"Greek letter between plain ones", {'a', 0x03B1, 'b', 0}, "a?b"},
      {"C1 control that 1252 redefines", {0x0080, 0}, "?"},
      {"undefined byte's own value", {0x0081, 0}, "\x81"},
      {"section sign passes through", {0x00A7, ' ', '1', 0}, "\xA7 1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string out(row.units.size() + 2, 'x');
    toAnsi(row.units.data(), out.data());
    EXPECT_EQ(std::string(out.c_str()), row.ansi);
  }
}

TEST_F(StringLibrary, LengthCountsBytesWithoutTheTerminator) {
  Units fortyNine(50, 'x');
  fortyNine.back() = 0;
  EXPECT_EQ(length(Units{0}.data()), 0);
  EXPECT_EQ(length(Units{'a', 0x20AC, 'c', 0}.data()), 6);
  EXPECT_EQ(length(fortyNine.data()), 98);
  EXPECT_EQ(length(nullptr), 0);
}

TEST_F(StringLibrary, FindReturnsTheFirstOccurrence) {
  const Units haystack = hostOf("Smith v. Jones, v. Brown");
  const struct { const char* name; std::string needle; long offset; } rows[] = {  // offset -1: not found
      {"first of two occurrences", "v.", 6},
      {"at the start", "Smith", 0},
      {"at the end", "Brown", 19},
      {"absent", "Green", -1},
      {"longer than the haystack", "Smith v. Jones, v. Brown and more", -1},
      {"empty needle is found at the start", "", 0},
      {"differs in letter case", "smith", -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const HostChar* found = find(haystack.data(), hostOf(row.needle).data());
    EXPECT_EQ(found, row.offset < 0 ? nullptr : haystack.data() + row.offset);
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
  EXPECT_EQ(find(nullptr, units), nullptr);
  EXPECT_EQ(find(units, nullptr), nullptr);
}

}  // namespace

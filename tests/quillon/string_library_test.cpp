// The host's string library as a plug-in calls it. In: Windows-1252 bytes,
// host strings and null arguments. Out: conversions both ways, lengths in
// bytes and substring search.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/quillon/fixtures.h"

namespace {

using HostChar = std::uint16_t;
using Units = std::vector<HostChar>;

class StringLibrary : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(toAnsi && toHost && length && find); }
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
  // The code points of Windows-1252 where they differ from the byte, indexed
  // by byte - 0x80; 0 marks the five undefined bytes, which keep their value.
  const HostChar differing[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (int byte = 1; byte < 256; ++byte) {
    SCOPED_TRACE("byte " + std::to_string(byte));
    const bool mapped = byte >= 0x80 && byte < 0xA0 && differing[byte - 0x80] != 0;
    const HostChar expected = mapped ? differing[byte - 0x80] : static_cast<HostChar>(byte);
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
  // A Greek letter, a C1 control that 1252 redefines, an undefined byte's own value.
  const Units units = {'a', 0x03B1, 'b', 0x0080, 0x0081, 0};
  std::string out(units.size() + 2, 'x');
  toAnsi(units.data(), out.data());
  EXPECT_EQ(std::string(out.c_str()), "a?b?\x81");
}

TEST_F(StringLibrary, LengthInBytesFindAndNullArguments) {
  EXPECT_EQ(length(Units{'a', 0x20AC, 'c', 0}.data()), 6) << "bytes, without the terminator";
  const Units haystack = hostOf("Smith v. Jones, v. Brown");
  const struct { std::string needle; long offset; } rows[] = {  // offset -1: not found
      {"v.", 6}, {"Brown", 19}, {"Green", -1}, {"Smith v. Jones, v. Brown and more", -1}, {"", 0}, {"smith", -1},
  };
  for (const auto& row : rows) {
    const HostChar* found = find(haystack.data(), hostOf(row.needle).data());
    EXPECT_EQ(found, row.offset < 0 ? nullptr : haystack.data() + row.offset) << row.needle;
  }
  // Null arguments are harmless.
  HostChar units[2] = {0xAAAA, 0xAAAA};
  char ansi[2] = {'x', 'x'};
  toHost(nullptr, units), toAnsi(nullptr, ansi);
  EXPECT_EQ(units[0], 0);
  EXPECT_EQ(ansi[0], '\0');
  toAnsi(units, nullptr);
  toHost("abc", nullptr);
  EXPECT_EQ(length(nullptr), 0);
  EXPECT_EQ(find(nullptr, units), nullptr);
  EXPECT_EQ(find(units, nullptr), nullptr);
}

}  // namespace

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

// The code page itself is checked against the plug-in's own table in
// tests/table; here: where the library's units differ from the bytes, and the
// buffer discipline the plug-in sizes its buffers by.
TEST_F(StringLibrary, EveryByteMapsToOneUnitAndBack) {
  const struct { int byte; HostChar unit; } anchors[] = {
      {0x80, 0x20AC}, {0x9F, 0x0178}, {0x81, 0x0081} /* undefined: keeps its value */, {0xE9, 0x00E9}};
  for (const auto& anchor : anchors) EXPECT_EQ(hostOf(std::string(1, static_cast<char>(anchor.byte)))[0], anchor.unit);
  for (int byte = 1; byte < 256; ++byte) {
    SCOPED_TRACE("byte " + std::to_string(byte));
    const Units units = hostOf(std::string(1, static_cast<char>(byte)));
    EXPECT_EQ(units[1], 0) << "one unit and a terminator";
    EXPECT_EQ(units[2], 0xBEEF) << "nothing written beyond";
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

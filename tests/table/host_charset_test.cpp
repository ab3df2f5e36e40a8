// The plug-in's host character table against the host's own: the plug-in
// generates its table from data/ and never links the host, so only this
// comparison shows the two drifting apart (a row lost or misread by the
// generator, a changed data file, a slip in either UTF-8 encoder).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "quillon/doc/charsets.h"
#include "table/host_charset.h"

namespace {

TEST(HostCharset, EveryHostCharacterAndWindows1252ByteAsTheHostShowsIt) {
  int defined = 0;
  for (int set = 0; set < 256; ++set) {
    for (int number = 0; number < 256; ++number) {
      const auto ours = table::hostCharacterToUnicode(set, number);
      ASSERT_EQ(ours, quillon::doc::specialToUnicode(set, number)) << set << "," << number;
      defined += ours.has_value();
    }
  }
  EXPECT_EQ(defined, 273) << "every row of data/host-charsets.tsv";
  EXPECT_EQ(table::hostCharacterToUnicode(-1, 0), std::nullopt);
  for (unsigned byte = 0; byte < 256; ++byte)  // each function takes it as one byte
    ASSERT_EQ(table::cp1252ToUnicode(byte), quillon::doc::cp1252ToUnicode(byte)) << "Windows-1252 byte " << byte;
}

TEST(HostCharset, Utf8LikeTheHostForEveryCodePoint) {
  // Beyond U+10FFFF and the surrogates both write U+FFFD.
  for (char32_t cp = 0; cp <= 0x110100; ++cp) {
    std::string ours, host;
    table::appendUtf8(ours, cp);
    quillon::doc::appendUtf8(host, cp);
    ASSERT_EQ(ours, host) << std::hex << static_cast<std::uint32_t>(cp);
  }
  std::string top;
  table::appendUtf8(top, 0xFFFFFFFF);
  EXPECT_EQ(top, "\xEF\xBF\xBD");
}

}  // namespace

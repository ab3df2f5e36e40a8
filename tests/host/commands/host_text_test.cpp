// HostText: byte-exact ANSI texts, conversion to and from host strings
// through the bound string library, and safe behaviour while unbound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_text.h"
#include "tests/host/commands/recording_host.h"

namespace {

using commands_test::hostUnits;
using host::HostChar;
using host::HostText;

std::vector<HostChar> unitsOf(const HostChar* text) {
  std::vector<HostChar> units;
  for (std::size_t i = 0; text != nullptr && text[i] != 0; ++i) units.push_back(text[i]);
  return units;
}

TEST(HostTextValue, ComparesByteForByte) {
  struct Row {
    const char* name;
    HostText text;
    std::string other;
    bool equal;
  } rows[] = {
      {"empty equals empty", HostText(), "", true},
      {"letter case differs", HostText("Id."), "id.", false},
      {"trailing blank differs", HostText("Id."), "Id. ", false},
      {"high bytes compare exactly", HostText("\xA7\xA7 12"), "\xA7\xA7 12", true},
      {"special character pair", HostText(std::string("\x04\x05", 2)), std::string("\x04\x05", 2), true},
      {"embedded zero counts", HostText(std::string("a\0b", 3)), "a", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.text == row.other, row.equal);
    EXPECT_EQ(row.text.length(), row.text.text().size());
  }
}

TEST(HostTextConversion, RoundTripsThroughTheStringLibrary) {
  ASSERT_TRUE(host::hostLibraries().isBound()) << "the host folder lacks hoststr17";
  for (const char* ansi : {"", "a", "XTOA~CursorLocation", "Smith v. Jones, 123 F.3d 456 (1999)",
                           "\xA7 1983", "\x93quoted\x94"}) {
    SCOPED_TRACE(ansi);
    HostText text(ansi);
    (void)text.toHostString();
    const HostChar* converted = text.toHostString();  // a second conversion replaces the first
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(unitsOf(converted), hostUnits(ansi));
    EXPECT_EQ(text.hostString(), converted);

    HostText back("a much longer text than any result");
    (void)back.toHostString();
    back.assignFromHostString(converted);
    EXPECT_TRUE(back == ansi) << "got \"" << back.text() << "\"";
    EXPECT_EQ(back.length(), std::string(ansi).size());
    EXPECT_EQ(back.hostString(), nullptr) << "assigning drops the old conversion";

    HostText copy = text;  // a copy owns its own buffers
    text = HostText("other");
    EXPECT_EQ(unitsOf(copy.hostString()), hostUnits(ansi));
  }
}

TEST(HostTextConversion, NullOrUnboundGivesEmptyResults) {
  HostText text("before");
  text.assignFromHostString(nullptr);
  EXPECT_TRUE(text.empty());

  const std::vector<HostChar> source = {'a', 'b', 0};
  const bool wasBound = host::hostLibraries().isBound();
  host::hostLibraries().unbind();
  HostText unbound("Id.");
  const HostChar* converted = unbound.toHostString();
  HostText back("before");
  back.assignFromHostString(source.data());
  if (wasBound) (void)host::hostLibraries().bind(17, 0);

  ASSERT_NE(converted, nullptr);
  EXPECT_EQ(converted[0], 0) << "an empty host string, not garbage";
  EXPECT_TRUE(back.empty());
}

}  // namespace

// HostText: byte-exact ANSI texts, conversion to and from host strings
// through the bound string library, and safe behaviour while unbound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_text.h"
#include "tests/host/commands/recording_host.h"

namespace {

using commands_test::hostLibrariesBound;
using commands_test::hostUnits;
using host::HostChar;
using host::HostText;

std::vector<HostChar> unitsOf(const HostChar* text) {
  std::vector<HostChar> units;
  for (std::size_t i = 0; text != nullptr && text[i] != 0; ++i) units.push_back(text[i]);
  return units;
}

// Unbinds the process-wide libraries for one test and binds them again.
class UnboundLibraries {
 public:
  UnboundLibraries() : wasBound_(host::hostLibraries().isBound()) { host::hostLibraries().unbind(); }
  ~UnboundLibraries() {
    if (wasBound_) (void)host::hostLibraries().bind(17, 0);
  }

 private:
  bool wasBound_;
};

TEST(HostTextValue, ComparesByteForByte) {
  struct Row {
    const char* name;
    HostText text;
    std::string other;
    bool equal;
  } rows[] = {
      {"empty equals empty", HostText(), "", true},
      {"same bytes", HostText("Id."), "Id.", true},
      {"letter case differs", HostText("Id."), "id.", false},
      {"trailing blank differs", HostText("Id."), "Id. ", false},
      {"high bytes compare exactly", HostText("\xA7\xA7 12"), "\xA7\xA7 12", true},
      {"special character pair", HostText(std::string("\x04\x05", 2)), std::string("\x04\x05", 2),
       true},
      {"embedded zero counts", HostText(std::string("a\0b", 3)), "a", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.text == row.other, row.equal);
    EXPECT_EQ(row.text.length(), row.text.text().size());
  }
}

TEST(HostTextValue, CopiesAreIndependent) {
  HostText original("Smith v. Jones");
  HostText copy = original;
  EXPECT_TRUE(copy == "Smith v. Jones");
  EXPECT_EQ(copy.length(), 14u);
  copy = HostText("other");
  EXPECT_TRUE(original == "Smith v. Jones");
}

TEST(HostTextConversion, RoundTripsThroughTheStringLibrary) {
  ASSERT_TRUE(hostLibrariesBound()) << "the host folder lacks hoststr17";
  const char* texts[] = {"", "a", "XTOA~CursorLocation", "Smith v. Jones, 123 F.3d 456 (1999)",
                         "\xA7 1983", "\x93quoted\x94"};
  for (const char* ansi : texts) {
    SCOPED_TRACE(ansi);
    HostText text(ansi);
    const HostChar* converted = text.toHostString();
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(unitsOf(converted), hostUnits(ansi));
    EXPECT_EQ(text.hostString(), converted);

    HostText back;
    back.assignFromHostString(converted);
    EXPECT_TRUE(back == ansi) << "got \"" << back.text() << "\"";
    EXPECT_EQ(back.length(), std::string(ansi).size());
  }
}

TEST(HostTextConversion, NewConversionReplacesTheOldOne) {
  ASSERT_TRUE(hostLibrariesBound());
  HostText text("Id.");
  const std::vector<HostChar> first = unitsOf(text.toHostString());
  const HostChar* second = text.toHostString();
  EXPECT_EQ(text.hostString(), second);
  EXPECT_EQ(unitsOf(second), first);
}

TEST(HostTextConversion, AssignReplacesTextAndDropsTheConversion) {
  ASSERT_TRUE(hostLibrariesBound());
  std::vector<HostChar> source = hostUnits("XTOA~Entry12");
  source.push_back(0);
  HostText text("a much longer text than the result");
  (void)text.toHostString();
  text.assignFromHostString(source.data());
  EXPECT_TRUE(text == "XTOA~Entry12");
  EXPECT_EQ(text.length(), 12u);
  EXPECT_EQ(text.hostString(), nullptr);
}

TEST(HostTextConversion, NullHostStringGivesTheEmptyText) {
  HostText text("before");
  text.assignFromHostString(nullptr);
  EXPECT_TRUE(text.empty());
}

TEST(HostTextConversion, UnboundLibraryGivesEmptyResults) {
  const std::vector<HostChar> source = {'a', 'b', 0};
  UnboundLibraries unbound;
  HostText text("Id.");
  const HostChar* converted = text.toHostString();
  ASSERT_NE(converted, nullptr);
  EXPECT_EQ(converted[0], 0) << "an empty host string, not garbage";

  HostText back("before");
  back.assignFromHostString(source.data());
  EXPECT_TRUE(back.empty());
}

}  // namespace

// Checks the global atom table. In: names added, found and deleted. Out: ids,
// letter case, reference counts, name copies into short buffers and the
// failure value of each call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

using namespace platform;

std::string nameOf(Atom atom) {
  char buffer[300] = {};
  return std::string(buffer, globalGetAtomName(atom, buffer, sizeof buffer));
}

TEST(GlobalAtoms, NamesIgnoreCaseAndEachAddCountsAReference) {
  const Atom atom = globalAddAtom("TabAuth");
  const Atom other = globalAddAtom("second");
  ASSERT_GE(atom, 0xC000);
  EXPECT_NE(other, atom);
  EXPECT_EQ(globalAddAtom("TABAUTH"), atom) << "a second spelling is the same atom";
  EXPECT_EQ(nameOf(atom), "TabAuth") << "the first spelling is kept";
  EXPECT_EQ(globalFindAtom("TabAut"), 0) << "a prefix is another name";
  EXPECT_EQ(globalDeleteAtom(atom), 0);
  EXPECT_EQ(globalFindAtom("tabauth"), atom) << "one reference remains";
  EXPECT_EQ(globalDeleteAtom(atom), 0);
  EXPECT_EQ(globalFindAtom("tabauth"), 0);
  EXPECT_EQ(nameOf(atom), "");
  EXPECT_EQ(nameOf(other), "second") << "deleting one atom leaves the other";
  EXPECT_EQ(globalDeleteAtom(other), 0);
}

TEST(GlobalAtoms, NameCopyStopsAtTheBufferAndBadCallsFail) {
  const std::string longest(255, 'b');
  const Atom atom = globalAddAtom(longest);
  const struct { const char* name; int size; unsigned copied; std::string text; } rows[] = {
      {"exactly enough", 256, 255, longest},
      {"one byte short", 255, 254, longest.substr(1)},
      {"room for the zero only", 1, 0, ""},
      {"negative size", -5, 0, "untouched"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    char buffer[300] = "untouched";
    EXPECT_EQ(globalGetAtomName(atom, buffer, row.size), row.copied);
    EXPECT_EQ(std::string(buffer), row.text);
  }
  EXPECT_EQ(globalGetAtomName(atom, nullptr, 10), 0u);
  EXPECT_EQ(globalDeleteAtom(atom), 0);
  for (const std::string& name : {std::string(), std::string(256, 'c')}) EXPECT_EQ(globalAddAtom(name), 0) << "1 to 255 bytes";
  // Deleting an atom that is not in the table answers with the atom itself.
  for (const Atom unknown : {Atom{0}, Atom{0xBFFF}, Atom{0xFFFF}}) EXPECT_EQ(globalDeleteAtom(unknown), unknown);
}

TEST(GlobalAtoms, FullTableRefusesNewNamesUntilOneIsDeleted) {
  std::vector<Atom> added;
  for (Atom atom = 1; atom != 0 && added.size() <= 0x4000;) {
    atom = globalAddAtom("filler " + std::to_string(added.size()));
    if (atom != 0) added.push_back(atom);
  }
  // Every id in 0xC000..0xFFFF is taken (some perhaps by others in the process).
  ASSERT_FALSE(added.empty());
  EXPECT_LE(added.size(), 0x4000u);
  EXPECT_EQ(globalAddAtom("one too many"), 0);
  ASSERT_EQ(globalDeleteAtom(added.back()), 0);
  EXPECT_EQ(globalAddAtom("one too many"), added.back()) << "the freed id is reused";
  for (const Atom atom : added) EXPECT_EQ(globalDeleteAtom(atom), 0);
}

}  // namespace

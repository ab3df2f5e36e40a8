// Checks the global atom table: ids, letter case, reference counts, name
// copies into short buffers and the failure values of each call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

using platform::Atom;

std::string nameOf(Atom atom) {
  char buffer[300] = {};
  const unsigned length = platform::globalGetAtomName(atom, buffer, sizeof buffer);
  return std::string(buffer, length);
}

TEST(GlobalAtoms, FindIgnoresCaseAndKeepsTheFirstSpelling) {
  const Atom atom = platform::globalAddAtom("TabAuth");
  ASSERT_NE(atom, 0);
  EXPECT_GE(atom, 0xC000);
  EXPECT_EQ(platform::globalFindAtom("tabauth"), atom);
  EXPECT_EQ(platform::globalFindAtom("TABAUTH"), atom);
  EXPECT_EQ(platform::globalAddAtom("TABAUTH"), atom) << "a second spelling is the same atom";
  EXPECT_EQ(nameOf(atom), "TabAuth");
  EXPECT_EQ(platform::globalFindAtom("TabAut"), 0) << "a prefix is another name";
  EXPECT_EQ(platform::globalDeleteAtom(atom), 0);
  EXPECT_EQ(platform::globalDeleteAtom(atom), 0);
  EXPECT_EQ(platform::globalFindAtom("tabauth"), 0);
}

TEST(GlobalAtoms, EachAddCountsOneReference) {
  const Atom atom = platform::globalAddAtom("Quillon");
  ASSERT_NE(atom, 0);
  ASSERT_EQ(platform::globalAddAtom("quillon"), atom);
  ASSERT_EQ(platform::globalAddAtom("QUILLON"), atom);

  for (int remaining = 2; remaining >= 0; --remaining) {
    SCOPED_TRACE(remaining);
    EXPECT_EQ(platform::globalDeleteAtom(atom), 0);
    EXPECT_EQ(platform::globalFindAtom("Quillon"), remaining > 0 ? atom : 0);
  }
  // Gone: deleting again answers with the atom itself, and its name is empty.
  EXPECT_EQ(platform::globalDeleteAtom(atom), atom);
  EXPECT_EQ(nameOf(atom), "");
}

TEST(GlobalAtoms, DistinctNamesGetDistinctIds) {
  const Atom first = platform::globalAddAtom("first");
  const Atom second = platform::globalAddAtom("second");
  ASSERT_NE(first, 0);
  ASSERT_NE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(nameOf(first), "first");
  EXPECT_EQ(nameOf(second), "second");
  EXPECT_EQ(platform::globalDeleteAtom(first), 0);
  EXPECT_EQ(nameOf(second), "second") << "deleting one atom leaves the other";
  EXPECT_EQ(platform::globalDeleteAtom(second), 0);
}

TEST(GlobalAtoms, NameLengthLimits) {
  struct Row {
    const char* name;
    std::string atomName;
    bool accepted;
  };
  const Row rows[] = {
      {"empty", "", false},
      {"one byte", "a", true},
      {"255 bytes", std::string(255, 'b'), true},
      {"256 bytes", std::string(256, 'c'), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Atom atom = platform::globalAddAtom(row.atomName);
    EXPECT_EQ(atom != 0, row.accepted);
    EXPECT_EQ(platform::globalFindAtom(row.atomName), atom);
    if (atom != 0) {
      EXPECT_EQ(nameOf(atom), row.atomName);
      EXPECT_EQ(platform::globalDeleteAtom(atom), 0);
    }
  }
}

TEST(GlobalAtoms, NameCopyStopsAtTheBuffer) {
  const Atom atom = platform::globalAddAtom("Quillon");
  ASSERT_NE(atom, 0);
  struct Row {
    const char* name;
    int size;
    unsigned copied;
    std::string text;
  };
  const Row rows[] = {
      {"room to spare", 39, 7, "Quillon"},
      {"exactly enough", 8, 7, "Quillon"},
      {"one byte short", 7, 6, "Quillo"},
      {"room for the zero only", 1, 0, ""},
      {"no room", 0, 0, "untouched"},
      {"negative size", -5, 0, "untouched"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "untouched");
    EXPECT_EQ(platform::globalGetAtomName(atom, buffer, row.size), row.copied);
    EXPECT_EQ(std::string(buffer), row.text);
  }
  EXPECT_EQ(platform::globalGetAtomName(atom, nullptr, 10), 0u);
  EXPECT_EQ(platform::globalDeleteAtom(atom), 0);
}

TEST(GlobalAtoms, UnknownAtomsFail) {
  char buffer[16] = "untouched";
  for (const Atom atom : {Atom{0}, Atom{1}, Atom{0xBFFF}, Atom{0xC123}, Atom{0xFFFF}}) {
    SCOPED_TRACE(atom);
    EXPECT_EQ(platform::globalGetAtomName(atom, buffer, sizeof buffer), 0u);
    EXPECT_EQ(platform::globalDeleteAtom(atom), atom);
  }
  EXPECT_EQ(platform::globalFindAtom("never added"), 0);
}

TEST(GlobalAtoms, FullTableRefusesNewNamesUntilOneIsDeleted) {
  std::vector<Atom> added;
  for (int i = 0; i < 0x4001; ++i) {
    const Atom atom = platform::globalAddAtom("filler " + std::to_string(i));
    if (atom == 0) break;
    added.push_back(atom);
  }
  // Every id in 0xC000..0xFFFF is taken (some perhaps by others in the process).
  ASSERT_FALSE(added.empty());
  EXPECT_LE(added.size(), 0x4000u);
  EXPECT_EQ(platform::globalAddAtom("one too many"), 0);
  EXPECT_EQ(platform::globalAddAtom("filler 0"), added.front()) << "existing names still count references";
  EXPECT_EQ(platform::globalDeleteAtom(added.front()), 0);

  const Atom freed = added.back();
  ASSERT_EQ(platform::globalDeleteAtom(freed), 0);
  added.pop_back();
  EXPECT_EQ(platform::globalAddAtom("one too many"), freed) << "the freed id is reused";
  EXPECT_EQ(platform::globalDeleteAtom(freed), 0);
  for (const Atom atom : added) EXPECT_EQ(platform::globalDeleteAtom(atom), 0);
}

}  // namespace

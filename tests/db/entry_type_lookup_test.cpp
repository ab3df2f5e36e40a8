// The serialised form of entry types and the two questions the recogniser
// asks of it: does some item begin with this word, and which entry does this
// whole representation name.
#include <gtest/gtest.h>

#include "db/entry_type_collection.h"
#include "factories.h"

namespace {

using dbtest::entry;

TEST(EntryTypeSerialisedForm, NumbersItemsAndLowerCases) {
  const db::EntryName usc = entry({.name = "U.S.C.", .valid = {"U.S.C."}, .invalid = {"USC"}});
  EXPECT_EQ(usc.ToString(12), "~12||||u.s.c.~0|||u.s.c.~0||usc");
  EXPECT_EQ(db::EntryType().ToString(false), "~") << "an empty type is the closing ~ alone";

  db::EntryType type;
  type.AddEntryName(entry({.name = "A", .valid = {"B"}, .invalid = {"C"}}));
  EXPECT_TRUE(type.ContainsEntryWithName("a~"));
  type.AddEntryName(entry({.name = "F.2d", .valid = {"F.2d", "F. 2d"}, .invalid = {"Fed.2d", "F2d"}}));
  type.AddEntryName(entry({.name = "Z"}));
  EXPECT_FALSE(type.ContainsEntryWithName("z~")) << "the cached text does not know the new entries";
  // Entries in name order; valid and invalid forms numbered from 0 per entry.
  EXPECT_EQ(type.ToString(false),
            "~0||||a~0|||b~0||c"
            "~1||||f.2d~0|||f.2d~1|||f. 2d~0||fed.2d~1||f2d"
            "~2||||z~");
  EXPECT_TRUE(type.ContainsEntryWithName("z~")) << "until it is rebuilt";
}

TEST(EntryTypeLookup, PrefixAndWholeItemAnswers) {
  db::EntryType type;
  type.AddEntryName(entry({.name = "F.2d", .valid = {"F.2d", "F. 2d"}, .invalid = {"Fed.R.2d"}}));
  type.AddEntryName(entry({.name = "Stat. Name Only", .valid = {"Stat."}}));
  type.AddEntryName(entry({.name = "Bare Entry"}));
  type.AddEntryName(entry({.name = "Mont.", .valid = {"Mont."}, .invalid = {"Mon."}}));
  type.AddEntryName(entry({.name = "Monag.", .valid = {"Monag."}, .invalid = {"Mon."}}));
  // contains: ContainsEntryWithName; entryFound: GetNameThatContains.
  const struct { const char* name; const char* word; bool contains; const char* entryFound; } rows[] = {
      {"beginning of a name", "f.", true, "<none>"},
      {"whole valid form", "f.2d", true, "F.2d"},
      {"whole item asked with ~", "f.2d~", true, "<none>"},
      {"a beginning is not a whole item", "f.~", false, "<none>"},
      {"beginning of an invalid form", "fed.r", true, "<none>"},
      {"whole invalid form", "fed.r.2d", true, "F.2d"},
      {"upper case never matches the lower-cased text", "F.2d", false, "F.2d"},
      {"a word no item begins with", "cal.", false, "<none>"},
      {"beginning of a name that is no representation", "stat. name", true, "<none>"},
      {"its representation is", "stat.", true, "Stat. Name Only"},
      {"an entry without representations is found by the prefix test", "bare entry~", true, "<none>"},
      {"but never by name", "bare entry", true, "<none>"},
      {"a word running on into the next item still matches", "f.2d~0", true, "<none>"},
      {"the later entry wins a shared representation", "mon.", true, "Monag."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(type.ContainsEntryWithName(row.word), row.contains);
    const db::EntryName* found = type.GetNameThatContains(row.word);
    EXPECT_EQ(found ? found->name : "<none>", row.entryFound);
  }
}

TEST(EntryTypeCollectionLookup, TypesAreSearchedInTheirOrder) {
  db::EntryTypeCollection dictionary = dbtest::dictionary({
      {.name = "U.S.", .valid = {"U.S."}, .typeId = 1},
      {.name = "U.S. Dist. LEXIS", .valid = {"U.S. Dist. LEXIS"}, .typeId = 3},
      {.name = "U.S.C.", .valid = {"U.S.C."}, .typeId = 2},
      {.name = "Shared", .valid = {"Shared"}, .typeId = 2},
      {.name = "Shared", .valid = {"Shared"}, .typeId = 3},
      {.name = "U.S. Const.", .valid = {"U.S. Const."}, .typeId = 7},
      {.name = "Pub. L. No.", .valid = {"Pub. L. No."}, .typeId = 8},
      {.name = "aff'd", .valid = {"aff'd"}, .typeId = 6},
  });
  const struct { const char* name; const char* word; int type; } rows[] = {
      {"reporters come first", "u.s", 1},
      {"then the case sources", "u.s. dist", 3},
      {"then the codes", "u.s.c", 2},
      {"3 before 2", "shared~", 3},
      {"then type 7", "u.s. const.~", 7},
      {"and 8 last", "pub. l.", 8},
      {"a history phrase is not an authority name", "aff'd", -1},
      {"nothing begins with it", "cal.", -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(dictionary.findWordInString(row.word), row.type);
  }
  const db::EntryName* usc = dictionary.getEntryName("u.s.c.", 2);
  EXPECT_EQ(usc ? usc->name : "<none>", "U.S.C.");
  for (int type : {1, 4, 5, 6, 99}) EXPECT_EQ(dictionary.getEntryName("u.s.c.", type), nullptr) << type;
  EXPECT_EQ(dictionary.getEntryName("aff'd", 6), nullptr) << "type 6 is not an authority type";

  EXPECT_TRUE(dictionary.findWordInHistoryPhrasesString("aff"));
  EXPECT_FALSE(dictionary.findWordInHistoryPhrasesString("u.s."));
  const db::EntryName* affd = dictionary.getHistoryPhraseEntryName("Aff'd");
  EXPECT_EQ(affd ? affd->name : "<none>", "aff'd");
  EXPECT_EQ(dictionary.getHistoryPhraseEntryName("aff"), nullptr);
}

}  // namespace

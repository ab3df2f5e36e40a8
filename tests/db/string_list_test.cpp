// DString records and the StringList text form used by representations, long
// forms and category orders.
#include <gtest/gtest.h>

#include "db/string_list.h"
#include "factories.h"

namespace {

using db::DString;
using db::StringList;
using dbtest::values;

TEST(StringList, ImportFromString) {
  struct Row {
    const char* name;
    const char* text;
    std::vector<std::string> values;
  };
  const Row rows[] = {
      {"two separators, a word, two separators, a word", ";;Cases;;Statutes", {"Cases", "Statutes"}},
      {"no separator: the whole text", "Cases (Federal)", {"Cases (Federal)"}},
      {"the serialised form reads back", "Cases;Statutes;", {"Cases", "Statutes"}},
      {"empty text: nothing", "", {}},
      {"blanks are kept inside values", " a ; b;", {" a ", " b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const StringList list(row.text);
    EXPECT_EQ(values(list), row.values);
    for (const DString& item : list) EXPECT_EQ(item.id, -1) << "an imported text has no row";
  }
  StringList list("a;");
  list.ImportFromString("b;");
  EXPECT_EQ(values(list), (std::vector<std::string>{"a", "b"})) << "import appends";
  EXPECT_STREQ(DString(static_cast<const char*>(nullptr)).data(), "");
}

TEST(StringList, Serialize) {
  EXPECT_EQ(StringList().Serialize(), "");
  EXPECT_EQ(StringList("Cases").Serialize(), "Cases;");
  StringList list("Cases;Statutes;");
  list[0].id = 17;  // the integers are not part of the text form
  EXPECT_EQ(list.Serialize(), "Cases;Statutes;");
}

TEST(StringList, FindAndRemove) {
  StringList list("Cases;STATUTES;Cases;");
  EXPECT_EQ(list.Find("Cases", false), 0);
  EXPECT_EQ(list.Find("statutes", false), -1) << "without the flag case matters";
  EXPECT_EQ(list.Find("statutes", true), 1);
  EXPECT_EQ(list.Find("Rules", true), -1);
  EXPECT_EQ(StringList().Find("Cases", true), -1);

  EXPECT_TRUE(list.Remove("Cases"));
  EXPECT_EQ(values(list), (std::vector<std::string>{"STATUTES", "Cases"})) << "only the first goes";
  EXPECT_FALSE(list.Remove("statutes")) << "removal compares exactly";
  EXPECT_TRUE(list.Remove("Cases"));
  EXPECT_FALSE(list.Remove("Cases"));
  EXPECT_EQ(list.Serialize(), "STATUTES;");
}

}  // namespace

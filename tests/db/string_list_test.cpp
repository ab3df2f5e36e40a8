// DString records and the StringList text form used by representations, long
// forms and category orders.
#include <gtest/gtest.h>

#include "db/string_list.h"
#include "factories.h"

namespace {

using db::StringList;
using dbtest::values;
using Texts = std::vector<std::string>;

TEST(StringList, ImportAndSerialise) {
  const struct { const char* name; const char* text; Texts values; const char* serialised; } rows[] = {
      {"two separators, a word, two separators, a word", ";;Cases;;Statutes", {"Cases", "Statutes"},
       "Cases;Statutes;"},
      {"no separator: the whole text", "Cases (Federal)", {"Cases (Federal)"}, "Cases (Federal);"},
      {"empty text: nothing", "", {}, ""},
      {"blanks are kept inside values", " a ; b;", {" a ", " b"}, " a ; b;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    StringList list(row.text);
    EXPECT_EQ(values(list), row.values);
    for (const db::DString& item : list) EXPECT_EQ(item.id, -1) << "an imported text has no row";
    if (!list.empty()) list[0].id = 17;  // the integers are not part of the text form
    EXPECT_EQ(list.Serialize(), row.serialised);
  }
  StringList list("a;");
  list.ImportFromString("b;");
  EXPECT_EQ(values(list), (Texts{"a", "b"})) << "import appends";
}

TEST(StringList, FindAndRemove) {
  StringList list("Cases;STATUTES;Cases;");
  EXPECT_EQ(list.Find("Cases", false), 0);
  EXPECT_EQ(list.Find("statutes", false), -1) << "without the flag case matters";
  EXPECT_EQ(list.Find("statutes", true), 1);
  EXPECT_TRUE(list.Remove("Cases"));
  EXPECT_EQ(values(list), (Texts{"STATUTES", "Cases"})) << "only the first goes";
  EXPECT_FALSE(list.Remove("statutes")) << "removal compares exactly";
}

}  // namespace

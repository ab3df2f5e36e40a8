// The shipped tabauth3.db as the plug-in meets it: it loads without a
// message and passes the dictionary, abbreviation and option checks. (The
// recogniser's tests read the same dictionary for the authorities briefs
// cite; dictionary_check_shipped_db runs the check tool on the staged file.)
#include <gtest/gtest.h>

#include <string>

#include "db/abbreviation_collection.h"
#include "db/option_collection.h"
#include "factories.h"
#include "tools/dictionary_check/dictionary_checks.h"
#include "tools/dictionary_check/option_checks.h"

namespace {

TEST(ShippedDatabase, LoadsWithoutAMessageAndPassesTheChecks) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::EntryTypeCollection dictionary;
  dictionary.LoadEntryTypes();
  const db::OptionCollection options(std::string("Default"));
  const db::AbbreviationCollection abbreviations(0);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(options.optionSetId, 1);
  EXPECT_EQ(temp.count("select selected_option_set from Settings where id=1;"), 0);
  for (const auto& type : dictionary.types()) EXPECT_FALSE(type.entryNames.empty()) << type.id;
  // Every entry finds itself, and no representation is shared or unsafe.
  EXPECT_EQ(tools::checkDictionary(dictionary), std::vector<std::string>{});
  EXPECT_EQ(tools::checkAbbreviations(abbreviations), std::vector<std::string>{});
  EXPECT_EQ(tools::checkOptionRanges(options), std::vector<std::string>{});
}

}  // namespace

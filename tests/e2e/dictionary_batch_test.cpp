// The dictionary editor scripted through the staged host, on an installation
// folder of the test's own: --file answers the import's file dialog, --select
// reaches the editor's lists and --press its "+" and "-" buttons by their
// accessible names; lexorda-cite then finds the edited reporter in a brief.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "db/sqlite_db.h"
#include "tests/e2e/staged_run.h"
#include "tests/platform/fixtures.h"
#include "tools/lexorda_cite/cite_run.h"

namespace {

class DictionaryBatch : public e2e::StagedHost {};

TEST_F(DictionaryBatch, ImportEditAndSaveFromTheCommandLine) {
  const std::string install = file("install/"), database = install + "tabauth3.db", old = file("old.db");
  std::filesystem::create_directories(install);
  std::filesystem::copy_file(std::string(LEXORDA_INSTALL_DIR) + "/tabauth3.db", database);
  std::filesystem::copy_file(database, old);
  setValue("Software\\Velmor\\Lexorda\\1.0", "installPath", install);
  {
    db::CppSQLite3DB connection;
    connection.open(old);
    connection.execute("insert into DictionaryEntryNames (entry_type_id,name,dictionary_id,created_by,jurisdiction) "
                       "values (1,'Old Rptr.',0,1,1);"
                       "insert into DictionaryStrings (name_id,name_type,value,created_by) "
                       "select id,1,'Old Rptr.',1 from DictionaryEntryNames where name='Old Rptr.';");
  }
  const e2e::StagedRun run = this->run(
      {"--invoke", "Velmor TOA", "--press", "Dictionary Editor", "--press", "Import...", "--answer", "ok", "ok",
       "--file", old, "--select", "Old Rptr.", "--press", "Add invalid representation", "--type", "Old Rp",
       "--press", "OK", "--select", "Old Rp", "--press", "Remove invalid representation", "--press",
       "Add invalid representation", "--type", "Old R.", "--press", "OK", "--press", "OK", "--press", "Cancel"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.err.find("file: Select Old Database -> " + old + "\nmessage: Lexorda: Dictionary import complete"),
            std::string::npos) << run.err;

  db::CppSQLite3DB connection;
  connection.open(database);
  std::string stored;
  for (auto q = connection.query("select e.created_by||e.jurisdiction||s.name_type||s.created_by||s.value from "
                                 "DictionaryEntryNames e join DictionaryStrings s on s.name_id=e.id where "
                                 "e.name='Old Rptr.' order by s.name_type;");
       !q.eof(); q.nextRow()) {
    stored += q.getString(0, "") + ";";
  }
  EXPECT_EQ(stored, "1111Old Rptr.;1121Old R.;") << "imported as the user's, state; the removed form is gone";

  platform_test::writeFile(file("brief.md"), "See *Smith v. Jones*, 12 Old R. 34 (2001).\n");
  std::ostringstream out, err;
  ASSERT_EQ(lexorda_cite::runCite({.databasePath = database, .file = file("brief.md")}, out, err), 0) << err.str();
  EXPECT_NE(out.str().find("\"entryName\":\"Old Rptr.\""), std::string::npos) << out.str();
}

}  // namespace

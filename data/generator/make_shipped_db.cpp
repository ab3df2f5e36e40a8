// Builds the shipped database. In: data/sql/schema.sql, data/sql/defaults.sql
// and the dictionary sources under data/dictionary/. Out: tabauth3.db at the
// given path, written under a temporary name and renamed into place so that a
// failed run never leaves a partial file behind.
//
// Usage: make_shipped_db DATA_DIR OUTPUT_FILE
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "source_tables.h"

namespace {

using generator::Sources;

bool readFile(const std::string& path, std::string& text) {
  std::ifstream in(path);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

// Owns one prepared statement.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &vm_, nullptr) != SQLITE_OK) vm_ = nullptr;
  }
  ~Statement() { sqlite3_finalize(vm_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return vm_ != nullptr; }
  Statement& bind(int index, int value) {
    sqlite3_bind_int(vm_, index, value);
    return *this;
  }
  Statement& bind(int index, sqlite3_int64 value) {
    sqlite3_bind_int64(vm_, index, value);
    return *this;
  }
  Statement& bind(int index, const std::string& value) {
    sqlite3_bind_text(vm_, index, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
  }
  // Runs the statement and readies it for the next values.
  bool run() {
    const int result = sqlite3_step(vm_);
    sqlite3_reset(vm_);
    sqlite3_clear_bindings(vm_);
    return result == SQLITE_DONE;
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* vm_ = nullptr;
};

bool exec(sqlite3* db, const std::string& sql, const std::string& what) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::cerr << what << ": " << (error ? error : "failed") << "\n";
    sqlite3_free(error);
    return false;
  }
  return true;
}

bool insertDictionary(sqlite3* db, const Sources& sources) {
  Statement type(db, "insert into DictionaryEntryTypes (id, name) values (?, ?);");
  Statement entry(db,
                  "insert into DictionaryEntryNames (entry_type_id, name, dictionary_id, "
                  "created_by, jurisdiction, authority_group) values (?, ?, 0, 0, ?, ?);");
  Statement text(db,
                 "insert into DictionaryStrings (name_id, name_type, value, created_by) values "
                 "(?, ?, ?, 0);");
  Statement abbreviation(db,
                         "insert into DictionaryAbbreviations (name, dictionary_id, created_by) "
                         "values (?, 0, 0);");
  if (!type.ok() || !entry.ok() || !text.ok() || !abbreviation.ok()) {
    std::cerr << "cannot prepare inserts: " << sqlite3_errmsg(db) << "\n";
    return false;
  }
  constexpr int kLongForm = 0;
  constexpr int kValid = 1;
  constexpr int kInvalid = 2;
  for (const auto& sourceType : sources.types) {
    if (!type.bind(1, sourceType.id).bind(2, sourceType.name).run()) return false;
    for (const auto& sourceEntry : sourceType.entries) {
      const int group = sourceEntry.group < 0 ? 0 : sourceEntry.group;  // the column's default: statute
      entry.bind(1, sourceType.id).bind(2, sourceEntry.name).bind(3, sourceEntry.jurisdiction);
      if (!entry.bind(4, group).run()) {
        return false;
      }
      const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
      // The lookup knows an entry only by its representations, so the name
      // is always the first valid one.
      if (!text.bind(1, id).bind(2, kValid).bind(3, sourceEntry.name).run()) return false;
      for (const auto& valid : sourceEntry.valid) {
        if (!text.bind(1, id).bind(2, kValid).bind(3, valid).run()) return false;
      }
      for (const auto& invalid : sourceEntry.invalid) {
        if (!text.bind(1, id).bind(2, kInvalid).bind(3, invalid).run()) return false;
      }
    }
  }
  for (const auto& sourceAbbreviation : sources.abbreviations) {
    if (!abbreviation.bind(1, sourceAbbreviation.name).run()) return false;
    const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
    for (const auto& longForm : sourceAbbreviation.longForms) {
      if (!text.bind(1, id).bind(2, kLongForm).bind(3, longForm).run()) return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_shipped_db DATA_DIR OUTPUT_FILE\n";
    return 2;
  }
  const std::string dataDir = argv[1];
  const std::string output = argv[2];
  const std::string temporary = output + ".new";

  std::vector<std::string> errors;
  const Sources sources = generator::readSources(dataDir + "/dictionary", errors);
  generator::checkSources(sources, errors);
  std::string schema;
  std::string defaults;
  if (!readFile(dataDir + "/sql/schema.sql", schema)) errors.push_back("sql/schema.sql cannot be read");
  if (!readFile(dataDir + "/sql/defaults.sql", defaults)) errors.push_back("sql/defaults.sql cannot be read");
  if (!errors.empty()) {
    for (const auto& error : errors) std::cerr << "make_shipped_db: " << error << "\n";
    return 1;
  }

  std::remove(temporary.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open(temporary.c_str(), &db) != SQLITE_OK) {
    std::cerr << "make_shipped_db: cannot create " << temporary << "\n";
    sqlite3_close(db);
    return 1;
  }
  bool ok = exec(db, "begin transaction;", "begin") && exec(db, schema, "sql/schema.sql") &&
            exec(db, defaults, "sql/defaults.sql");
  if (ok && !insertDictionary(db, sources)) {
    std::cerr << "make_shipped_db: inserting the dictionary failed: " << sqlite3_errmsg(db) << "\n";
    ok = false;
  }
  ok = ok && exec(db, "commit transaction;", "commit");
  sqlite3_close(db);
  if (!ok || std::rename(temporary.c_str(), output.c_str()) != 0) {
    std::remove(temporary.c_str());
    std::cerr << "make_shipped_db: " << output << " was not written\n";
    return 1;
  }
  return 0;
}

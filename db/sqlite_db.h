// One connection to a SQLite file. In: a path and SQL texts. Out: change
// counts and CppSQLite3Query cursors. Callers format most statements
// themselves; a statement that carries a text the user typed binds it as a
// parameter instead, so that quotes in it stay text. No caching.
//
// Errors: throws CppSQLite3Exception. A closed connection gives code 1000
// "Database not open"; every other failure carries SQLite's result code and
// its own text, e.g. "SQLITE_ERROR[1]: no such table: OptionSet".
#pragma once

#include <string>
#include <vector>

#include "db/sqlite_query.h"

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// How long a connection waits for another process's lock, unless told
// otherwise.
inline constexpr int kDefaultBusyTimeoutMs = 60000;

class CppSQLite3DB {
 public:
  CppSQLite3DB();
  CppSQLite3DB(const CppSQLite3DB&) = delete;
  CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;
  // Closes the connection.
  virtual ~CppSQLite3DB();

  // Opens (or creates) the file and applies the busy timeout. Throws with
  // SQLite's result and text when the file cannot be opened.
  void open(const std::string& path);
  // Closes when open; closing a closed connection does nothing.
  void close();
  bool isOpen() const { return handle_ != nullptr; }

  // Stores the timeout and hands it to SQLite when open.
  void setBusyTimeout(int milliseconds);
  int busyTimeout() const { return busyTimeoutMs_; }

  // Runs one or more statements that return no rows and returns the change
  // count of the last one; 0 is how an INSERT that inserted nothing shows.
  // Example: db.execute("begin transaction;");
  int execute(const std::string& sql);

  // Runs one statement whose "?" parameters take texts, bound in order, and
  // returns its change count. The texts are stored exactly as given, quotes
  // and semicolons included. A failing step throws with its result code and
  // the connection's text.
  // Example: db.execute("delete from optionset where name=?;", {name});
  int execute(const std::string& sql, const std::vector<std::string>& texts);

  // Prepares and steps once. The query owns the statement; eof() is true
  // when the statement produced no row.
  CppSQLite3Query query(const std::string& sql);
  // The same with "?" parameters taking texts, bound in order as execute's.
  // Example: db.query("select * from DictionaryEntryNames where name=?", {name});
  CppSQLite3Query query(const std::string& sql, const std::vector<std::string>& texts);

 private:
  void checkDb() const;
  sqlite3_stmt* compile(const std::string& sql);
  // compile, then binds texts to the parameters in order; a failing bind
  // finalizes the statement and throws.
  sqlite3_stmt* compileBound(const std::string& sql, const std::vector<std::string>& texts);
  // Steps vm once into a query that owns it; a failing step finalizes it and
  // throws with the finalize result and the connection's text.
  CppSQLite3Query firstRow(sqlite3_stmt* vm);

  sqlite3* handle_ = nullptr;
  int busyTimeoutMs_ = kDefaultBusyTimeoutMs;
};

}  // namespace db

// A forward-only cursor over the rows of one prepared statement. In: a
// statement that CppSQLite3DB::query has stepped once. Out: the columns of the
// current row by index or name, with the caller's value for NULL.
//
// Errors: throws CppSQLite3Exception. Code 1000 with "Null Virtual Machine
// pointer" when the query holds no statement (finalized, moved from, or
// default-made), "Invalid field index requested" and "Invalid field name
// requested" for columns that do not exist.
#pragma once

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class CppSQLite3DB;

class CppSQLite3Query {
 public:
  // A query without a statement: every member that needs one throws.
  CppSQLite3Query();
  // Taking over: the new query gets the other's statement, eof, column count
  // and ownership; the other is left without a statement.
  CppSQLite3Query(CppSQLite3Query&& other) noexcept;
  // Re-running a query into the same object: finalizes this one (errors
  // swallowed), then takes over the other's statement as above.
  // Example: q = db.query("select * from OptionSetSort where optionset_id=1;");
  CppSQLite3Query& operator=(CppSQLite3Query&& other) noexcept;
  CppSQLite3Query(const CppSQLite3Query&) = delete;
  CppSQLite3Query& operator=(const CppSQLite3Query&) = delete;
  // Finalizes an owned statement; never throws.
  virtual ~CppSQLite3Query();

  int fieldCount() const;
  // The first column whose name equals name exactly (case-sensitive); a null
  // or unknown name throws "Invalid field name requested".
  int fieldIndex(const char* name) const;
  // True when some column is named name exactly; for columns that older
  // databases lack. Never throws for a prepared statement.
  bool hasField(const char* name) const;
  // Index outside 0..fieldCount()-1 throws "Invalid field index requested".
  std::string fieldName(int index) const;
  // SQLite's storage class of the column in the current row: 1 integer,
  // 2 float, 3 text, 4 blob, 5 null.
  int fieldType(int index) const;

  // True when there is no current row.
  bool eof() const;
  // Steps to the next row; a failing step finalizes the statement and throws
  // with the finalize result and the connection's error text.
  void nextRow();

  // The column converted by SQLite, or nullValue when the column is NULL.
  int getInt(int index, int nullValue) const;
  int getInt(const char* name, int nullValue) const;
  double getFloat(int index, double nullValue) const;
  std::string getString(int index, const char* nullValue) const;
  std::string getString(const char* name, const char* nullValue) const;

  // Finalizes an owned statement now; throws when finalizing reports an
  // error. Does nothing for a query without an owned statement.
  void finalize();

 private:
  friend class CppSQLite3DB;
  CppSQLite3Query(sqlite3* db, sqlite3_stmt* vm, bool eof, bool ownsVm);

  void checkVm() const;
  void checkIndex(int index) const;
  void finalizeQuietly() noexcept;

  sqlite3* db_ = nullptr;
  sqlite3_stmt* vm_ = nullptr;
  bool eof_ = true;
  int columnCount_ = 0;
  bool ownsVm_ = false;
};

}  // namespace db

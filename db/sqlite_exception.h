// The one exception that carries every database failure. In: a SQLite result
// code (or this layer's own 1000) and an optional text. Out: a message of the
// form "SQLITE_BUSY[5]: database is locked".
//
// It deliberately does not derive from std::exception: callers tell database
// failures from the program's own checks (std::runtime_error) by catch clause.
#pragma once

namespace db {

// The code this layer uses for its own errors ("Database not open", ...).
inline constexpr int kCppSqliteError = 1000;

class CppSQLite3Exception {
 public:
  // Formats "%s[%d]: %s" from codeName(code), code and text; a null text
  // prints as nothing, so the message then ends in ": ". With freeText set,
  // a non-null text came from SQLite and is released with sqlite3_free.
  // Example: CppSQLite3Exception(1000, "Database not open", false).message()
  //   == "CPPSQLITE_ERROR[1000]: Database not open"
  CppSQLite3Exception(int code, const char* text, bool freeText);
  CppSQLite3Exception(const CppSQLite3Exception& other);
  CppSQLite3Exception& operator=(const CppSQLite3Exception& other);
  virtual ~CppSQLite3Exception();

  int code() const { return code_; }
  // Never null.
  const char* message() const { return message_; }

  // "SQLITE_OK" ... "SQLITE_DONE", "CPPSQLITE_ERROR" for 1000, and
  // "UNKNOWN_ERROR" for any code without a name.
  static const char* codeName(int code);

 private:
  void release();

  int code_;
  char* message_;     // from sqlite3_mprintf unless ownsMessage_ is false
  bool ownsMessage_;  // false only when SQLite could not allocate a copy
};

}  // namespace db

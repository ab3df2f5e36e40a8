// Opens, closes and runs statements on a SQLite connection for CppSQLite3DB,
// turning every failure into a CppSQLite3Exception.
#include "db/sqlite_db.h"

#include <sqlite3.h>

#include "db/sqlite_exception.h"

namespace db {

CppSQLite3DB::CppSQLite3DB() = default;

CppSQLite3DB::~CppSQLite3DB() { close(); }

void CppSQLite3DB::open(const std::string& path) {
  close();
  sqlite3* handle = nullptr;
  const int result = sqlite3_open(path.c_str(), &handle);
  if (result != SQLITE_OK) {
    CppSQLite3Exception error(result, handle ? sqlite3_errmsg(handle) : sqlite3_errstr(result),
                              false);
    // SQLite hands out a connection even when opening fails; it still needs
    // closing.
    sqlite3_close_v2(handle);
    throw error;
  }
  handle_ = handle;
  setBusyTimeout(busyTimeoutMs_);
}

void CppSQLite3DB::close() {
  if (handle_ == nullptr) return;
  // The v2 call lets queries that outlive their connection finalize later.
  sqlite3_close_v2(handle_);
  handle_ = nullptr;
}

void CppSQLite3DB::setBusyTimeout(int milliseconds) {
  busyTimeoutMs_ = milliseconds;
  if (handle_ != nullptr) sqlite3_busy_timeout(handle_, busyTimeoutMs_);
}

void CppSQLite3DB::checkDb() const {
  if (handle_ == nullptr) {
    throw CppSQLite3Exception(kCppSqliteError, "Database not open", false);
  }
}

int CppSQLite3DB::execute(const std::string& sql) {
  checkDb();
  char* error = nullptr;
  const int result = sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, &error);
  if (result != SQLITE_OK) {
    // SQLite leaves the text out when it could not allocate it.
    if (error == nullptr) throw CppSQLite3Exception(result, sqlite3_errmsg(handle_), false);
    throw CppSQLite3Exception(result, error, true);
  }
  return sqlite3_changes(handle_);
}

int CppSQLite3DB::execute(const std::string& sql, const std::vector<std::string>& texts) {
  sqlite3_stmt* vm = compileBound(sql, texts);
  const int result = sqlite3_step(vm);
  if (result != SQLITE_DONE && result != SQLITE_ROW) {
    const std::string text = sqlite3_errmsg(handle_);
    sqlite3_finalize(vm);
    throw CppSQLite3Exception(result, text.c_str(), false);
  }
  sqlite3_finalize(vm);
  return sqlite3_changes(handle_);
}

sqlite3_stmt* CppSQLite3DB::compileBound(const std::string& sql, const std::vector<std::string>& texts) {
  sqlite3_stmt* vm = compile(sql);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const int result = sqlite3_bind_text(vm, static_cast<int>(i + 1), texts[i].data(),
                                         static_cast<int>(texts[i].size()), SQLITE_TRANSIENT);
    if (result != SQLITE_OK) {
      const std::string text = sqlite3_errmsg(handle_);
      sqlite3_finalize(vm);
      throw CppSQLite3Exception(result, text.c_str(), false);
    }
  }
  return vm;
}

sqlite3_stmt* CppSQLite3DB::compile(const std::string& sql) {
  checkDb();
  sqlite3_stmt* vm = nullptr;
  const int result = sqlite3_prepare_v2(handle_, sql.c_str(), -1, &vm, nullptr);
  if (result != SQLITE_OK) {
    // The text names what is wrong ("no such table: X"); without it a user
    // sees a bare code.
    const std::string text = sqlite3_errmsg(handle_);
    sqlite3_finalize(vm);
    throw CppSQLite3Exception(result, text.c_str(), false);
  }
  if (vm == nullptr) {
    // Only blanks or comments: nothing to run, which callers never mean.
    throw CppSQLite3Exception(SQLITE_MISUSE, "the statement is empty", false);
  }
  return vm;
}

CppSQLite3Query CppSQLite3DB::query(const std::string& sql) { return firstRow(compile(sql)); }

CppSQLite3Query CppSQLite3DB::query(const std::string& sql, const std::vector<std::string>& texts) {
  return firstRow(compileBound(sql, texts));
}

CppSQLite3Query CppSQLite3DB::firstRow(sqlite3_stmt* vm) {
  const int result = sqlite3_step(vm);
  if (result == SQLITE_DONE) return CppSQLite3Query(handle_, vm, true, true);
  if (result == SQLITE_ROW) return CppSQLite3Query(handle_, vm, false, true);
  const std::string text = sqlite3_errmsg(handle_);
  const int finalizeResult = sqlite3_finalize(vm);
  throw CppSQLite3Exception(finalizeResult, text.c_str(), false);
}

}  // namespace db

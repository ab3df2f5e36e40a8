// Reads rows and columns of a prepared statement for CppSQLite3Query, turning
// every misuse into a CppSQLite3Exception instead of undefined behaviour.
#include "db/sqlite_query.h"

#include <sqlite3.h>

#include <cstring>
#include <utility>

#include "db/sqlite_exception.h"

namespace db {

CppSQLite3Query::CppSQLite3Query() = default;

CppSQLite3Query::CppSQLite3Query(sqlite3* db, sqlite3_stmt* vm, bool eof, bool ownsVm)
    : db_(db), vm_(vm), eof_(eof), columnCount_(sqlite3_column_count(vm)), ownsVm_(ownsVm) {}

CppSQLite3Query::CppSQLite3Query(CppSQLite3Query&& other) noexcept
    : db_(other.db_),
      vm_(std::exchange(other.vm_, nullptr)),
      eof_(other.eof_),
      columnCount_(other.columnCount_),
      ownsVm_(other.ownsVm_) {}

CppSQLite3Query& CppSQLite3Query::operator=(CppSQLite3Query&& other) noexcept {
  if (this == &other) return *this;
  finalizeQuietly();
  db_ = other.db_;
  vm_ = std::exchange(other.vm_, nullptr);
  eof_ = other.eof_;
  columnCount_ = other.columnCount_;
  ownsVm_ = other.ownsVm_;
  return *this;
}

CppSQLite3Query::~CppSQLite3Query() { finalizeQuietly(); }

void CppSQLite3Query::finalizeQuietly() noexcept {
  try {
    finalize();
  } catch (...) {
    // A destructor or an assignment has nowhere to report to.
  }
  vm_ = nullptr;
}

void CppSQLite3Query::checkVm() const {
  if (vm_ == nullptr) {
    throw CppSQLite3Exception(kCppSqliteError, "Null Virtual Machine pointer", false);
  }
}

void CppSQLite3Query::checkIndex(int index) const {
  checkVm();
  if (index < 0 || index > columnCount_ - 1) {
    throw CppSQLite3Exception(kCppSqliteError, "Invalid field index requested", false);
  }
}

int CppSQLite3Query::fieldCount() const {
  checkVm();
  return columnCount_;
}

int CppSQLite3Query::fieldIndex(const char* name) const {
  checkVm();
  if (name != nullptr) {
    for (int i = 0; i < columnCount_; ++i) {
      const char* column = sqlite3_column_name(vm_, i);
      if (column != nullptr && std::strcmp(name, column) == 0) return i;
    }
  }
  throw CppSQLite3Exception(kCppSqliteError, "Invalid field name requested", false);
}

bool CppSQLite3Query::hasField(const char* name) const {
  for (int i = 0; i < columnCount_; ++i) {
    const char* column = sqlite3_column_name(vm_, i);
    if (column != nullptr && std::strcmp(name, column) == 0) return true;
  }
  return false;
}

std::string CppSQLite3Query::fieldName(int index) const {
  checkIndex(index);
  const char* column = sqlite3_column_name(vm_, index);
  return column ? std::string(column) : std::string();
}

int CppSQLite3Query::fieldType(int index) const {
  checkIndex(index);
  return sqlite3_column_type(vm_, index);
}

bool CppSQLite3Query::eof() const {
  checkVm();
  return eof_;
}

void CppSQLite3Query::nextRow() {
  checkVm();
  const int result = sqlite3_step(vm_);
  if (result == SQLITE_DONE) {
    eof_ = true;
  } else if (result == SQLITE_ROW) {
    eof_ = false;
  } else {
    // Copy the text first: finalizing the last statement of a closed
    // connection frees the connection.
    const std::string text = sqlite3_errmsg(db_);
    const int finalizeResult = sqlite3_finalize(vm_);
    vm_ = nullptr;
    throw CppSQLite3Exception(finalizeResult, text.c_str(), false);
  }
}

int CppSQLite3Query::getInt(int index, int nullValue) const {
  if (fieldType(index) == SQLITE_NULL) return nullValue;
  return sqlite3_column_int(vm_, index);
}

int CppSQLite3Query::getInt(const char* name, int nullValue) const {
  return getInt(fieldIndex(name), nullValue);
}

double CppSQLite3Query::getFloat(int index, double nullValue) const {
  if (fieldType(index) == SQLITE_NULL) return nullValue;
  return sqlite3_column_double(vm_, index);
}

std::string CppSQLite3Query::getString(int index, const char* nullValue) const {
  if (fieldType(index) == SQLITE_NULL) return nullValue ? std::string(nullValue) : std::string();
  const unsigned char* text = sqlite3_column_text(vm_, index);
  const int bytes = sqlite3_column_bytes(vm_, index);
  if (text == nullptr || bytes <= 0) return std::string();
  return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes));
}

std::string CppSQLite3Query::getString(const char* name, const char* nullValue) const {
  return getString(fieldIndex(name), nullValue);
}

void CppSQLite3Query::finalize() {
  if (vm_ == nullptr || !ownsVm_) return;
  const std::string text = sqlite3_errmsg(db_);
  const int result = sqlite3_finalize(vm_);
  vm_ = nullptr;
  if (result != SQLITE_OK) {
    throw CppSQLite3Exception(result, text.c_str(), false);
  }
}

}  // namespace db

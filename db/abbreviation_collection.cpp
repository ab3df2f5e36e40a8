// Loads and saves the AbbreviationCollection of a dictionary.
#include "db/abbreviation_collection.h"

#include <stdexcept>

#include "db/connection.h"
#include "db/error_report.h"
#include "db/internal/replace_rows.h"
#include "db/internal/sql_format.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "db/table_names.h"

namespace db {

using internal::sqlFormat;

namespace {

// Dictionary 0 is the only one; saving always clears it, whatever the
// collection's own id.
constexpr int kOnlyDictionary = 0;

}  // namespace

AbbreviationCollection::AbbreviationCollection(std::int32_t dictionary) : dictionaryId(dictionary) {
  Fill();
}

void AbbreviationCollection::requireDictionaryId() const {
  if (dictionaryId == -1) {
    throw std::runtime_error(
        "Tried to fill Abbreviation Collection without specifying a valid dictionary Id.");
  }
}

void AbbreviationCollection::load() {
  requireDictionaryId();
  CppSQLite3DB connection;
  openOperationConnection(connection);
  connection.execute("begin transaction;");
  CppSQLite3Query q = connection.query(
      sqlFormat("select * from %s where dictionary_id=%d;", kDictionaryAbbreviations, dictionaryId));
  for (; !q.eof(); q.nextRow()) {
    Abbreviation abbreviation;
    abbreviation.id = q.getInt("id", 0);
    abbreviation.name = q.getString("name", "");
    abbreviation.dictionary_id = q.getInt("dictionary_id", 0);
    abbreviation.created_by = q.getInt("created_by", 0);
    abbreviation.FillStrings(connection);
    abbreviations[abbreviation.name] = abbreviation;
  }
  q.finalize();
  connection.execute("commit transaction;");
  connection.close();
}

int AbbreviationCollection::Fill() {
  requireDictionaryId();  // a program fault, not a database one: not caught here
  try {
    load();
  } catch (const CppSQLite3Exception& error) {
    reportException(error, "Could not retrieve abbreviations.", "Database Error");
    return error.code();
  } catch (const std::exception& error) {
    reportException(error, "Could not retrieve abbreviations.", "Database Error");
    return -1;
  }
  return 0;
}

bool AbbreviationCollection::SaveToDatabase() const {
  return internal::replaceRows(
      {sqlFormat("delete from %s where dictionary_id=%d;", kDictionaryAbbreviations, kOnlyDictionary),
       sqlFormat("delete from %s where name_type=%d;", kDictionaryStrings, kNameTypeLongForm)},
      [this](CppSQLite3DB& connection) {
        for (const auto& [name, abbreviation] : abbreviations) {
          if (abbreviation.InsertToDatabase(connection) != 0) {
            throw std::runtime_error("There was a problem saving the Abbreviations");
          }
        }
      },
      {.message = "Could not save abbreviations.", .caption = "Database Error"});
}

const Abbreviation* AbbreviationCollection::find(const std::string& name) const {
  const auto it = abbreviations.find(name);
  return it == abbreviations.end() ? nullptr : &it->second;
}

}  // namespace db

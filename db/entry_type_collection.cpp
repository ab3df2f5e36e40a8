// Loads the seven entry types and answers the recogniser's dictionary questions.
#include "db/entry_type_collection.h"

#include <algorithm>

#include "db/connection.h"
#include "db/dictionary_import.h"
#include "db/sqlite_db.h"
#include "db/text.h"

namespace db {
namespace {

constexpr std::size_t kHistoryMember = 5;

std::string squeezed(std::string_view text) {
  std::string out;
  for (const char c : lowerCase(text)) {
    if (c != ' ' && c != '.') out += c;
  }
  return out;
}

bool hasEntryType(std::int32_t id) {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  const std::vector<std::int32_t> ids = loadEntryTypeIds(connection);
  connection.close();
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

void EntryTypeCollection::load(void (EntryType::*loadNames)()) {
  writtenForms_.clear();
  for (std::size_t i = 0; i < types_.size(); ++i) types_[i].id = kCollectionTypeIds[i];
  for (EntryType& entryType : types_) {
    if (entryType.id == kEntryTypeJournals && !hasEntryType(kEntryTypeJournals)) continue;
    entryType.FillProperties();
    (entryType.*loadNames)();
  }
}

void EntryTypeCollection::LoadEntryTypes() { load(&EntryType::FillEntryNames); }

void EntryTypeCollection::loadEntryTypesOrThrow() { load(&EntryType::loadEntryNames); }

EntryType* EntryTypeCollection::type(std::int32_t typeId) {
  for (std::size_t i = 0; i < types_.size(); ++i) {
    if (kCollectionTypeIds[i] == typeId) return &types_[i];
  }
  return nullptr;
}

const EntryType* EntryTypeCollection::type(std::int32_t typeId) const {
  return const_cast<EntryTypeCollection*>(this)->type(typeId);
}

std::int32_t EntryTypeCollection::findWordInString(std::string_view word) {
  for (std::size_t i = 0; i < kHistoryMember; ++i) {
    if (types_[i].ContainsEntryWithName(word)) return kCollectionTypeIds[i];
  }
  return -1;
}

const EntryName* EntryTypeCollection::getEntryName(std::string_view word,
                                                   std::int32_t typeId) const {
  if (typeId == kEntryTypeHistoryPhrases) return nullptr;
  const EntryType* entryType = type(typeId);
  return entryType ? entryType->GetNameThatContains(word) : nullptr;
}

const EntryName* EntryTypeCollection::findWrittenForm(std::string_view written, std::int32_t& typeId) {
  if (writtenForms_.empty()) {
    for (std::size_t i = 0; i < kHistoryMember; ++i) {
      for (const auto& [name, entry] : types_[i].entryNames) {
        for (const StringList* list : {&entry.validNames, &entry.invalidNames}) {
          for (const DString& form : *list) {
            const auto [it, added] = writtenForms_.try_emplace(squeezed(form.value), kCollectionTypeIds[i], name);
            if (!added && (it->second.first != kCollectionTypeIds[i] || it->second.second != name)) {
              it->second.second.clear();
            }
          }
        }
      }
    }
  }
  const auto it = writtenForms_.find(squeezed(written));
  if (it == writtenForms_.end() || it->second.second.empty()) return nullptr;
  const EntryType* entryType = type(it->second.first);
  const auto entry = entryType->entryNames.find(it->second.second);
  if (entry == entryType->entryNames.end()) return nullptr;
  typeId = it->second.first;
  return &entry->second;
}

bool EntryTypeCollection::findWordInHistoryPhrasesString(std::string_view word) {
  return types_[kHistoryMember].ContainsEntryWithName(word);
}

const EntryName* EntryTypeCollection::getHistoryPhraseEntryName(std::string_view word) const {
  return types_[kHistoryMember].GetNameThatContains(word);
}

}  // namespace db

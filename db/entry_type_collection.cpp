// Loads the six entry types and answers the recogniser's dictionary questions.
#include "db/entry_type_collection.h"

namespace db {
namespace {

constexpr std::size_t kHistoryMember = 5;

}  // namespace

void EntryTypeCollection::load(void (EntryType::*loadNames)()) {
  for (std::size_t i = 0; i < types_.size(); ++i) types_[i].id = kCollectionTypeIds[i];
  for (EntryType& entryType : types_) {
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

bool EntryTypeCollection::findWordInHistoryPhrasesString(std::string_view word) {
  return types_[kHistoryMember].ContainsEntryWithName(word);
}

const EntryName* EntryTypeCollection::getHistoryPhraseEntryName(std::string_view word) const {
  return types_[kHistoryMember].GetNameThatContains(word);
}

}  // namespace db

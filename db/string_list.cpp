// Converts StringList to and from its ";"-terminated text form and searches it.
#include "db/string_list.h"

#include "db/text.h"

namespace db {

StringList::StringList(std::string_view text) { ImportFromString(text); }

void StringList::ImportFromString(std::string_view text) {
  std::vector<std::string> pieces;
  splitString(text, ";", false, pieces);
  for (std::string& piece : pieces) items_.emplace_back(std::move(piece));
}

std::string StringList::Serialize() const {
  std::string text;
  for (const DString& item : items_) {
    text += item.value;
    text += ';';
  }
  return text;
}

int StringList::Find(std::string_view text, bool caseInsensitive) const {
  const std::string wanted = caseInsensitive ? lowerCase(text) : std::string(text);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const std::string& value = items_[i].value;
    if (caseInsensitive ? lowerCase(value) == wanted : value == wanted) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool StringList::Remove(std::string_view text) {
  for (auto it = items_.begin(); it != items_.end(); ++it) {
    if (it->value == text) {
      items_.erase(it);
      return true;
    }
  }
  return false;
}

}  // namespace db

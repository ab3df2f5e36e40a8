// Texts that carry the identity of their dictionary row, and ordered lists of
// them with a one-line text form. In: texts such as "Cases;Statutes;". Out:
// DString records and back again.
//
// Errors: none; only running out of memory throws (std::bad_alloc).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace db {

// One text variant of an entry name or abbreviation with its
// DictionaryStrings row. All four integers are -1 until the row is known.
struct DString {
  std::int32_t id = -1;
  std::int32_t name_id = -1;
  std::int32_t name_type = -1;
  std::int32_t created_by = -1;
  std::string value;

  DString() = default;
  DString(const char* text) : value(text ? text : "") {}          // NOLINT: texts convert freely
  DString(std::string text) : value(std::move(text)) {}            // NOLINT
  DString(std::string_view text) : value(text) {}                  // NOLINT

  const char* data() const { return value.c_str(); }
  bool operator==(const DString&) const = default;
};

// An ordered list of DString. Its text form is every value followed by ";":
// {"Cases", "Statutes"} <-> "Cases;Statutes;"; the integers are not part of it.
class StringList {
 public:
  StringList() = default;
  // Calls ImportFromString on the new list.
  explicit StringList(std::string_view text);

  // Appends one DString per non-empty piece between ";" separators, integers
  // at -1. Does not empty the list first.
  // Example: ImportFromString(";;a;;b") appends "a" and "b".
  void ImportFromString(std::string_view text);
  // Every value followed by ";"; empty for an empty list.
  std::string Serialize() const;
  // Index of the first element whose value equals text, -1 when none. With
  // caseInsensitive both sides are lower-cased byte by byte first.
  int Find(std::string_view text, bool caseInsensitive) const;
  // Erases the first element whose value equals text exactly; false when none.
  bool Remove(std::string_view text);

  void Add(DString value) { items_.push_back(std::move(value)); }
  void Clear() { items_.clear(); }
  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  DString& operator[](std::size_t index) { return items_[index]; }
  const DString& operator[](std::size_t index) const { return items_[index]; }
  std::vector<DString>::iterator begin() { return items_.begin(); }
  std::vector<DString>::iterator end() { return items_.end(); }
  std::vector<DString>::const_iterator begin() const { return items_.begin(); }
  std::vector<DString>::const_iterator end() const { return items_.end(); }
  void erase(std::vector<DString>::iterator at) { items_.erase(at); }

  bool operator==(const StringList&) const = default;

 private:
  std::vector<DString> items_;
};

}  // namespace db

// The prefix index against the plain scan of the serialised text: the same
// answer for every item of the shipped dictionary, every beginning of one,
// whole-item questions, probes that run across item boundaries and random
// strings of item characters and separators.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "db/entry_type_collection.h"
#include "db/name_index.h"
#include "db/text.h"
#include "factories.h"

namespace {

using dbtest::entry;

// Restores the process-wide switch when a test ends.
class PlainSearchScope {
 public:
  explicit PlainSearchScope(bool plain) { db::setPlainDictionarySearch(plain); }
  ~PlainSearchScope() { db::setPlainDictionarySearch(previous_); }

 private:
  bool previous_ = db::plainDictionarySearch();
};

std::vector<std::string> lowerCasedItems(const db::EntryType& type) {
  std::vector<std::string> items;
  for (const auto& [name, entry] : type.entryNames) {
    items.push_back(db::lowerCase(name));
    for (const auto& valid : entry.validNames) items.push_back(db::lowerCase(valid.value));
    for (const auto& invalid : entry.invalidNames) items.push_back(db::lowerCase(invalid.value));
  }
  return items;
}

// Every probe that the recogniser could send, and many it never would.
std::vector<std::string> probesFor(const db::EntryType& type, const std::string& serial, std::mt19937& random) {
  std::set<std::string> probes;
  std::string alphabet = "|~; 0123";
  for (const std::string& item : lowerCasedItems(type)) {
    for (std::size_t length = 0; length <= item.size(); ++length) {
      probes.insert(item.substr(0, length));
      probes.insert(item.substr(0, length) + "~");
    }
    for (char c : item) {
      if (alphabet.find(c) == std::string::npos) alphabet += c;
    }
  }
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<std::size_t> length(1, 10);
  for (int i = 0; i < 20000; ++i) {
    std::string probe;
    for (std::size_t n = length(random); n > 0; --n) probe += alphabet[pick(random)];
    probes.insert(probe);
  }
  // Pieces of the serialised text itself, many of them spanning "~k|||".
  std::uniform_int_distribution<std::size_t> at(0, serial.size() - 1);
  for (int i = 0; i < 5000; ++i) probes.insert(serial.substr(at(random), length(random) * 3));
  return {probes.begin(), probes.end()};
}

struct Tally {
  int found = 0;
  int missing = 0;
};

Tally expectIndexMatchesScan(db::EntryType& type, const std::vector<std::string>& probes) {
  Tally tally;
  for (const std::string& probe : probes) {
    const bool indexed = type.ContainsEntryWithName(probe);
    const bool scanned = type.containsBySearch(probe);
    EXPECT_EQ(indexed, scanned) << "type " << type.id << " probe \"" << probe << "\"";
    ++(scanned ? tally.found : tally.missing);
  }
  return tally;
}

TEST(NameIndex, AgreesWithTheScanOverTheShippedDictionary) {
  dbtest::TempDatabase database;
  PlainSearchScope indexed(false);
  db::EntryTypeCollection dictionary;
  dictionary.LoadEntryTypes();
  std::mt19937 random(20261206);
  for (db::EntryType& type : dictionary.types()) {
    SCOPED_TRACE("entry type " + std::to_string(type.id));
    ASSERT_FALSE(type.entryNames.empty()) << "the shipped dictionary fills every type";
    const std::vector<std::string> probes = probesFor(type, type.ToString(true), random);
    const Tally tally = expectIndexMatchesScan(type, probes);
    // Both answers occur often, so an index stuck on one answer fails above.
    EXPECT_GT(tally.found, 100);
    EXPECT_GT(tally.missing, 100);
  }
}

TEST(NameIndex, ItemsHoldingSeparatorsAndEmptyItems) {
  PlainSearchScope indexed(false);
  db::EntryType type;
  type.AddEntryName(entry({.name = "a|b", .valid = {"x||y", "~"}, .invalid = {"", "|"}}));
  type.AddEntryName(entry({.name = "", .valid = {"1|||2"}}));
  type.AddEntryName(entry({.name = "Zz", .invalid = {"zz;zz", "z z"}}));
  const std::string serial = type.ToString(true);
  std::vector<std::string> probes;
  for (std::size_t from = 0; from < serial.size(); ++from) {
    for (std::size_t length = 0; from + length <= serial.size(); ++length) {
      probes.push_back(serial.substr(from, length));
    }
  }
  for (const char* extra : {"zz~", "zz;~", "|~", "~~", "||||||", "a|b~0|||x||y~1|||~~", "q"}) probes.push_back(extra);
  const Tally tally = expectIndexMatchesScan(type, probes);
  EXPECT_GT(tally.found, 50);
  EXPECT_GT(tally.missing, 50);
}

// The plain scan answers while the switch is on; a copy answers from its own text.
TEST(NameIndex, FollowsTheSwitchAndCopies) {
  db::EntryType type;
  type.AddEntryName(entry({.name = "Cal.", .valid = {"Cal. Rptr."}}));
  for (const bool plain : {true, false}) {
    PlainSearchScope scope(plain);
    db::EntryType assigned;
    assigned = type;
    EXPECT_TRUE(assigned.ContainsEntryWithName("cal. rptr.~")) << plain;
    EXPECT_FALSE(assigned.ContainsEntryWithName("cal. rptr.~~")) << plain;
    EXPECT_FALSE(assigned.ContainsEntryWithName("Cal. r")) << "upper case never matches";
  }
}

}  // namespace

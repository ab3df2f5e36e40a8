// The example brief's table compared line by line with a golden file, for the
// in-process run and the staged host alike. In: exported text. Out: the
// table's lines and one failure per differing line.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace golden {

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// The lines from the table's title up to the heading of the brief's next
// page, which the table is written in front of.
inline std::string tableRegion(const std::string& exported) {
  std::string region;
  bool inside = false;
  for (const std::string& line : lines(exported)) {
    inside = inside || line == "TABLE OF AUTHORITIES";
    if (line == "STATEMENT OF JURISDICTION") break;
    if (inside) region += line + "\n";
  }
  return region;
}

inline void expectSameLines(const std::string& name, const std::string& expectedText, const std::string& actual) {
  const std::vector<std::string> expected = lines(expectedText);
  const std::vector<std::string> got = lines(actual);
  ASSERT_FALSE(expected.empty()) << "missing golden " << name;
  for (std::size_t i = 0; i < std::max(expected.size(), got.size()); ++i) {
    EXPECT_EQ(i < got.size() ? got[i] : "<no line>", i < expected.size() ? expected[i] : "<no line>")
        << name << " line " << i + 1;
  }
}

}  // namespace golden

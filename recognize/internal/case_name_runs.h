// How the backward case-name reader judges one run of words (the tokens
// between two blanks). Internal to the case recogniser; tests may use it.
#pragma once

#include <cstddef>

#include "recognize/internal/paragraph.h"

namespace recognize::internal {

enum class NameRunClass {
  kName,   // a capitalised word, "v.", a name particle or a subdivision word
  kShort,  // a short word (at most five characters) that may stand inside a name
  kStop,   // a long lower-case word, or a number where numbers are not allowed
};

// Classifies the run p.tokens[first, end); `first < end <= p.end()`.
// Example: "Jones," is kName, "of" kShort, "decided" kStop.
NameRunClass classifyNameRun(const Paragraph& p, std::size_t first, std::size_t end, bool numbersAllowed);

}  // namespace recognize::internal

// What a stretch of main text reads as. In: items. Out: Windows-1252 text.
//
// Ordinary characters stand for themselves; a special character or hard space
// is one character, its Unicode form in Windows-1252 or '?' where the code
// page has none; a tab or dot-leader tab is '\t'; a hard return '\n' and a
// hard page break '\f'; codes and note references read as nothing.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "quillon/doc/item.h"

namespace quillon::doc {

// Text of items [from, to); bounds beyond the items are clipped.
std::string visibleText(const std::vector<Item>& items, std::size_t from, std::size_t to);

}  // namespace quillon::doc

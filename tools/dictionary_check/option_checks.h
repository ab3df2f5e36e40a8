// Checks an option set against the ranges the option set editor allows. In:
// a loaded OptionCollection. Out: one line per missing key or value out of
// range; empty when every key is present and inside its range.
#pragma once

#include <string>
#include <vector>

#include "db/option_collection.h"

namespace tools {

std::vector<std::string> checkOptionRanges(const db::OptionCollection& options);

}  // namespace tools

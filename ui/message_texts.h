// The texts of the messages the main dialog shows, kept in one place so that
// what the dialog says and what the user guide explains cannot drift apart.
// A text that ends in "- " or a blank is followed by a path or a name.
#pragma once

#include "db/option_set_names.h"

namespace ui::message_texts {

inline constexpr const char* kOptionSetsNotLoaded = "Could not load the option sets.";  // + line break + reason
inline constexpr const char* kOptionSetNotAdded = "SQL error while adding optionset";
inline constexpr const char* kOptionSetNotRemoved = "SQL error while removing optionset";  // + line break + reason
inline constexpr const char* kGuideMissing = "Could not find file - ";                    // + path
inline constexpr const char* kGuideNotOpened = "Error opening file - ";                   // + path
// "The value NAME already exists": a name a list already holds, in any dialog.
inline constexpr const char* kDuplicateBefore = "The value ";
inline constexpr const char* kDuplicateAfter = " already exists";

// Every text the main dialog itself can show, in the order a user meets them.
inline constexpr const char* kMainDialog[] = {
    kOptionSetsNotLoaded, db::kNoOptionSetsMessage, kDuplicateBefore,  kDuplicateAfter,
    kOptionSetNotAdded,   kOptionSetNotRemoved,     kGuideMissing,     kGuideNotOpened,
};

}  // namespace ui::message_texts

// The category lists of an option set's Sorting page, as plain lists. In: the
// names in the two list boxes. Out: the lists after a federal/state split is
// switched on or off, or after an entry moved up or down.
//
// Names are found as a list box's exact-match search finds them: whole
// names, letter case ignored.
//
// Errors: none; an index outside the list changes nothing.
#pragma once

#include <string>
#include <vector>

namespace ui {

using CategoryNames = std::vector<std::string>;

// Switches the split of `kind` ("Cases" or "Statutes") on or off in one list.
// On: an entry `kind` becomes "<kind> (Federal)", "<kind> (State)" in its
// place. Off: "<kind> (Federal)" becomes `kind` in its place and
// "<kind> (State)" goes (both found before either change).
// Example: {"Cases", "Rules"}, on -> {"Cases (Federal)", "Cases (State)", "Rules"}.
void splitCategory(CategoryNames& names, const std::string& kind, bool split);

// Moves the entry at index one place (delta -1 up, +1 down), kept between
// the first and last place; returns its new index.
// Example: {"a", "b"}, index 1 down -> unchanged, returns 1.
int moveCategory(CategoryNames& names, int index, int delta);

}  // namespace ui

// The small byte-string functions that the database and recognition code
// share. In: texts in the host's single-byte character set. Out: new texts or
// answers; nothing here throws or reads outside its input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db {

// Cuts text at every occurrence of separator (a whole substring) and appends
// the pieces in order to pieces. Empty pieces, including the one after a final
// separator, are appended only with keepEmpty. An empty separator appends the
// whole text as one piece.
// Example: splitString("a;;b;", ";", false, out) appends "a", "b".
void splitString(std::string_view text, std::string_view separator, bool keepEmpty,
                 std::vector<std::string>& pieces);

// Every byte through the C library's lower-case mapping ("C" locale: only
// A-Z change).
std::string lowerCase(std::string_view text);

// Removes trailing ",", ";" and ":" (and "." with withPeriod), repeatedly.
// Example: stripTrailing("Inc.,;", true) == "Inc"; stripTrailing("Inc.,;", false) == "Inc."
std::string stripTrailing(std::string_view text, bool withPeriod);

// Removes trailing blanks (0x20 only).
std::string stripTrailingBlanks(std::string_view text);

// Removes one leading "(" when present, then one trailing ")" when present.
std::string stripBrackets(std::string_view text);

// True when every character is ".", "," or ";" (true for the empty text).
bool isPunctuationOnly(std::string_view text);

// True for a non-empty text of digits and at most one ".", with at least one
// digit. Example: "12." is, "1.2.3" and "." are not.
bool isDecimalNumber(std::string_view text);

}  // namespace db

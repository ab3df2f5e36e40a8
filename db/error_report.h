// Shows database and program failures to the user. In: a caught exception,
// the caller's message and caption. Out: one OK message box owned by
// messageOwner().
//
// Errors: none of its own; whatever the installed message-box handler throws
// passes through.
#pragma once

#include <exception>
#include <string_view>

#include "db/sqlite_exception.h"
#include "platform/platform.h"

namespace db {

// The window that owns the database layer's message boxes; null until a
// dialog puts itself there. Process-wide: each modal sheet saves the current
// value, sets its own window and restores the saved one when it closes.
platform::WindowHandle messageOwner();
// Sets the owner and returns the one it replaces.
platform::WindowHandle setMessageOwner(platform::WindowHandle owner);

// Shows message, a line break and the exception's own text, with the given
// caption, an OK button and no icon.
// Example: reportException(e, "Could not save abbreviations.", "Database Error");
void reportException(const CppSQLite3Exception& error, std::string_view message,
                     std::string_view caption);
void reportException(const std::exception& error, std::string_view message,
                     std::string_view caption);

// Shows the exception's text alone, as the loaders of entry names and option
// tables do.
void showExceptionText(const CppSQLite3Exception& error, std::string_view caption);
void showExceptionText(const std::exception& error, std::string_view caption);

}  // namespace db

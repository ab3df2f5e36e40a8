// Keeps exceptions inside the plug-in. In: the body of one exported function
// and the value that export returns when it fails. Out: the body's result, or,
// when an exception reaches the export, a message to the user and that value.
// The host is a C program: an exception unwinding into it would end it.
#pragma once

#include <exception>
#include <string_view>

#include "db/sqlite_exception.h"

namespace host {

inline constexpr const char* kEscapedErrorCaption = "Lexorda";

// Shows "The Table of Authorities tool stopped <exportName> after an
// unexpected error:" and the error's text on the next line, captioned
// "Lexorda", with an OK button and an error icon, owned by no window.
// Errors: never throws; a message box that cannot be shown is dropped.
void reportEscapedError(std::string_view exportName, std::string_view detail) noexcept;

// Runs body and returns its result. Any exception it lets out is shown with
// reportEscapedError (a std::exception's what(), a CppSQLite3Exception's
// message(), or "unknown error" for anything else) and failure is returned.
// Example: return guardExport("TPHEntry", 1, [] { return entry(); });
template <typename Result, typename Body>
Result guardExport(std::string_view exportName, Result failure, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& error) {
    reportEscapedError(exportName, error.what());
  } catch (const db::CppSQLite3Exception& error) {
    reportEscapedError(exportName, error.message());
  } catch (...) {
    reportEscapedError(exportName, "unknown error");
  }
  return failure;
}

}  // namespace host

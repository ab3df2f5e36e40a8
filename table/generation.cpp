// The run behind Create Table at Cursor and Create Table to File. In: where
// to write, the progress bar and the option set's name. Out: the document
// saved when the user agrees, earlier marks removed, the saved file's
// citations recognised and the table written, in the passes' fixed order.
#include "table/generation.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "db/abbreviation_collection.h"
#include "db/entry_type_collection.h"
#include "db/error_report.h"
#include "db/option_collection.h"
#include "db/sqlite_exception.h"
#include "db/option_keys.h"
#include "host/host_commands.h"
#include "platform/platform.h"
#include "recognize/citation_table.h"
#include "recognize/recognizer.h"
#include "table/categories.h"
#include "table/document_marks.h"
#include "table/document_recognition.h"
#include "table/internal/bookmark_list.h"
#include "table/old_table.h"
#include "table/page_references.h"
#include "table/table_marks.h"
#include "table/table_writer.h"

namespace table {
namespace {

constexpr const char* kCaption = "Lexorda";
constexpr const char* kSaveQuestion =
    "You must save the document before generating a table. Would you like to save now?";
constexpr const char* kReadOnlyMessage =
    "This appears to be a read-only file. Please save it with a new name or to a new location.";
constexpr const char* kMarkPrefix = "XTOA~";
constexpr const char* kCursorMark = "XTOA~CursorLocation";
constexpr int kProgressWritten = 95;
// SaveDocumentAs as the driver sends it: the host's native format, and 1.
constexpr std::int32_t kSaveFormat = 4;
constexpr std::int32_t kSaveThird = 1;

std::string damagedFileNotice(std::size_t at) {
  return "Lexorda could not read the whole saved document (damaged at byte " + std::to_string(at) +
         "). The table may be incomplete.";
}

struct FileCloser {
  void operator()(platform::ReadFileRecord* file) const { (void)platform::closeFile(file); }
};
using OpenFile = std::unique_ptr<platform::ReadFileRecord, FileCloser>;

// Steps 1 to 3: true when the document is saved under a name and unchanged.
bool documentIsSaved() {
  host::HostCommands& c = host::hostCommands();
  std::string fullName = documentFullName();
  if (c.IsDocumentModified() == 0 && !fullName.empty()) return true;
  const int answer = platform::messageBox(db::messageOwner(), kSaveQuestion, kCaption, platform::kMbYesNo);
  if (answer != platform::kIdYes) return false;
  if (fullName.empty()) c.SaveDocument();
  else c.SaveDocumentAs(host::HostText(fullName), kSaveFormat, kSaveThird);
  const bool modified = c.IsDocumentModified() != 0;
  fullName = documentFullName();
  return !modified && !fullName.empty();
}

// What the run loads from the database, alive for the run.
struct RunData {
  db::EntryTypeCollection dictionary;
  db::OptionCollection options;
};

// Step 7. False after a failure, which the user has been shown.
bool loadRunData(RunData& run, const std::string& optionSetName,
                 std::unique_ptr<db::AbbreviationCollection>& abbreviations) {
  try {
    run.dictionary.LoadEntryTypes();
  } catch (const db::CppSQLite3Exception& error) {
    db::reportException(error, "Could not load the dictionary.", "Database Error");
    return false;
  } catch (const std::exception& error) {
    db::reportException(error, "Could not load the dictionary.", "Database Error");
    return false;
  }
  try {
    run.options = db::OptionCollection(optionSetName);
  } catch (const db::CppSQLite3Exception&) {
    return false;  // the option table's loader has shown it
  } catch (const std::exception& error) {
    db::reportException(error, "Could not load the option set.", "Database Error");
    return false;
  }
  abbreviations = std::make_unique<db::AbbreviationCollection>();
  abbreviations->dictionaryId = 0;
  return abbreviations->Fill() == 0;  // Fill shows its own failure
}

// The recogniser keeps a pointer to the run's abbreviations after the run
// (the flag and the collection stay set); this keeps that pointer valid
// until the next run replaces the collection.
std::unique_ptr<db::AbbreviationCollection>& recogniserAbbreviations() {
  static std::unique_ptr<db::AbbreviationCollection> current;
  return current;
}

}  // namespace

std::string documentFullName() {
  host::HostCommands& c = host::hostCommands();
  std::string name;
  name += c.GetDocumentPath().text();
  name += c.GetDocumentFileName().text();
  return name;
}

void removeOldMarks() {
  host::HostCommands& c = host::hostCommands();
  std::int32_t count = internal::bookmarkCount();
  for (std::int32_t i = 1; i <= count; ++i) {
    const host::HostText name = internal::bookmarkName(i);
    const std::string& text = name.text();
    if (text.size() > 5 && text.compare(0, 5, kMarkPrefix) == 0 && text != kTableMark) {
      c.DeleteBookmark(name);
      // The bookmarks after it move up by one.
      --i;
      --count;
    }
  }
}

void generateTable(bool toFile, ProgressBar& progress, const std::string& optionSetName,
                   const GenerationSettings& settings) {
  host::HostCommands& c = host::hostCommands();
  if (!documentIsSaved()) return;

  OpenFile file(platform::openFileForReading(documentFullName()));
  if (!file) {
    (void)platform::messageBox(db::messageOwner(), kReadOnlyMessage, kCaption, platform::kMbOk);
    return;
  }
  removeOldMarks();
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(std::max<std::int64_t>(0, platform::fileReadPosition(file.get()))));
  const bool read = platform::readWholeFile(file.get(), &bytes);
  file.reset();
  if (!read) {
    (void)platform::messageBox(db::messageOwner(), kReadOnlyMessage, kCaption, platform::kMbOk);
    return;
  }

  RunData run;
  std::unique_ptr<db::AbbreviationCollection> abbreviations;
  if (!loadRunData(run, optionSetName, abbreviations)) return;
  const bool expand = run.options.content.intOption(db::option_keys::kCheckExpandAbbr) != 0;
  recogniserAbbreviations() = std::move(abbreviations);
  recognize::setAbbreviationContext(recogniserAbbreviations().get(), expand);

  recognize::CitationTable citations;
  const int citationForm = run.options.content.intOption(db::option_keys::kComboCitationForm) |
                           (listsOtherAuthorities(run.options) ? recognize::kWithOtherAuthorities : 0);
  const ReadResult reading = readDocumentFile(bytes.data(), bytes.size(), citations, run.dictionary, citationForm,
                                              progress);
  std::vector<std::uint8_t>().swap(bytes);  // freed before the document changes
  // An addition to the run's fixed sequence of messages: without it, a table
  // built from the part of a damaged file before the damage would pass for a
  // complete one. Shown before the document changes; the table is still built.
  if (reading.damagedAt) {
    (void)platform::messageBox(db::messageOwner(), damagedFileNotice(*reading.damagedAt), kCaption, platform::kMbOk);
  }

  c.SetUpdateMode(0);
  c.Command33340(0);
  const auto finish = [&] {
    progress.setPosition(kProgressWritten);
    if (!toFile) refreshPageNumbers(optionSetName, progress);
    progress.setPosition(kProgressMaximum);
    if (settings.finalWait.count() > 0) {
      platform::sleepMilliseconds(static_cast<unsigned>(settings.finalWait.count()));
    }
    citations.citations.clear();
    c.SetUpdateMode(1);
    c.Command823(0);
  };
  try {
    if (!toFile) {
      c.CreateBookmark(host::HostText(kCursorMark), 0);
      // Order: removeOldMarks (step 5) spares the old table's range mark;
      // the file is read with that range skipped; only here, once nothing
      // can stop the run, the old text goes, before the marking pass, whose
      // searches must not find the old entries. The cursor mark moves to
      // where that table stood.
      removeOldTable(kCursorMark);
      markCitations(citations);
      c.GoToBookmark(host::HostText(kCursorMark));
      c.DeleteBookmark(host::HostText(kCursorMark));
    }
    writeTable(citations, toFile, optionSetName, progress);
  } catch (...) {
    // The document's update mode comes back on whatever failed.
    finish();
    throw;
  }
  finish();
}

}  // namespace table

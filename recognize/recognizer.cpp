// The per-paragraph walk: at every token, asks the dictionary whether an
// authority name starts there and hands the tokens to the recogniser of its
// entry type, or tries the short forms; then files what was recognised.
#include "recognize/recognizer.h"

#include <algorithm>

#include "db/text.h"
#include "recognize/internal/case_citations.h"
#include "recognize/internal/code_citations.h"
#include "recognize/internal/filing.h"
#include "recognize/internal/other_authorities.h"
#include "recognize/internal/reporter_forms.h"
#include "recognize/internal/section_citations.h"
#include "recognize/internal/short_forms.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

// Destroys a rejected citation. A recogniser may already have dropped it
// (the reporter short form does), in which case nothing is left to do.
void reject(CitationTable& table, Citation* citation) {
  if (table.pending == citation) {
    table.dropPending();
  } else {
    table.remove(citation);
  }
}

bool isNameSkip(const Token& token) {
  if (!token.isWord() || db::isPunctuationOnly(token.text)) return true;
  const std::string bare = db::stripTrailing(token.text, true);
  return bare == "supra" || bare == "at";
}

// The last word of a case name: before the volume (the first nameStop
// token), over what is not part of the name. Null when there is none.
const Token* lastNameWord(const TokenList& tokens) {
  if (tokens.empty()) return nullptr;
  std::size_t at = tokens.size();  // one past the token to look at
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].nameStop) {
      at = i;
      break;
    }
  }
  while (at > 0 && isNameSkip(tokens[at - 1])) --at;
  return at > 0 ? &tokens[at - 1] : nullptr;
}

// A case cited once by one reporter and again by its parallel ("603 U.S.
// ___, 144 S. Ct. 2244" and "144 S. Ct. 2244, 2260") is one authority: the
// only case whose name fits and one of whose citations names the other's
// key. Null when none or several fit.
Citation* findByParallel(const CitationTable& table, const Citation& citation) {
  if (citation.shortName.empty() || citation.occurrenceGroups.empty()) return nullptr;
  Citation* only = nullptr;
  for (const auto& entry : table.citations) {
    Citation* other = entry.get();
    if (other == &citation || other == table.pending || other->kind != kCase || other->occurrenceGroups.empty() ||
        other->shortName.find(citation.shortName) == std::string::npos) {
      continue;
    }
    if (citesInGroup(other->occurrenceGroups.front(), citation.key, false) ||
        citesInGroup(citation.occurrenceGroups.back(), other->key, false)) {
      if (only != nullptr) return nullptr;
      only = other;
    }
  }
  return only;
}

void fileCase(Paragraph& p, Citation& citation, const db::EntryName& entry) {
  CitationTable& table = p.table;
  const Token* last = lastNameWord(citation.tokens);
  // The name was already counted as a short form of the previous citation.
  if (last != nullptr && last->used) table.undoLastOccurrence();
  citation.kind = kCase;
  citation.key = normaliseKey(citation.key, kCase);
  if (citation.shortName.empty()) buildShortName(citation);
  deriveShortFormKey(citation);
  // A case cited before its page is known ("603 U.S. ___") is told from the
  // other cases of its volume by its name alone: without a name it is not
  // recorded, and a name that fits two cases already filed names neither.
  const bool blankNumber = citation.key.find(kBlankNumberKey) != std::string::npos;
  if (blankNumber && (citation.shortName.empty() || table.countMatching(citation) > 1)) {
    reject(table, &citation);
    return;
  }
  Citation* existing = table.findMatching(citation);
  if (existing == nullptr) existing = findByParallel(table, citation);
  if (existing != nullptr && existing != &citation) {
    mergeOccurrence(table, *existing, citation);
    reject(table, &citation);
    return;
  }
  trimTokens(citation.tokens);
  if (citation.tokens.empty()) {
    reject(table, &citation);
    return;
  }
  citation.jurisdiction = entry.jurisdiction;
  const Token& first = citation.tokens.front();
  citation.addOccurrence(first);
  citation.noteNumbers.push_back(first.noteNumber);
  ++table.count;
  citation.entryName = entry.name;
  table.previous = &citation;
  if (table.pending == &citation) table.pending = nullptr;
}

// A code citation that took a section sign already read as a bare section
// sign replaces the citation that sign made just before it.
void replaceSectionSignCitation(CitationTable& table, const Citation& code) {
  bool tookUsedSign = false;
  for (const Token& token : code.tokens) tookUsedSign = tookUsedSign || (token.used && token.isSectionSign());
  if (!tookUsedSign || table.citations.size() < 2) return;
  std::size_t at = 0;
  while (at < table.citations.size() && table.citations[at].get() != &code) ++at;
  if (at == 0 || at == table.citations.size()) return;
  const Citation* before = table.citations[at - 1].get();
  // Only a citation that a section sign made (one occurrence, a used section
  // sign among its tokens) is replaced; one that the sign merely added an
  // occurrence to is an older authority and stays.
  bool madeBySign = false;
  for (const Token& token : before->tokens) madeBySign = madeBySign || (token.used && token.isSectionSign());
  if (!madeBySign || before->occurrencePages.size() != 1) return;
  table.remove(before);
  --table.count;
}

enum class Step { Handled, NotHandled, Stop };

// Step 3 of the walk: a dictionary name at the cursor that passed the
// capital test.
Step dispatchName(Paragraph& p, std::size_t& cursor, const db::EntryName& entry, std::size_t covered) {
  CitationTable& table = p.table;
  if (entry.entry_type_id == db::kEntryTypeNumberedAuthorities && db::lowerCase(entry.name) == "no.") {
    return Step::Handled;
  }
  // A model code or a committee report is another authority, not a statute.
  if (p.otherAuthorities && namesOtherAuthority(entry)) {
    return recognizeNamedOtherAuthority(p, cursor, entry, covered) ? Step::Handled : Step::NotHandled;
  }
  Citation* citation = table.newCitation();
  if (citation == nullptr) return Step::Stop;
  switch (entry.entry_type_id) {
    case db::kEntryTypeNumberedRuns:
      if (!recognizeNumberedRun(p, cursor, *citation, covered)) {
        reject(table, citation);
        return Step::NotHandled;
      }
      fileAuthority(p, *citation, entry, KeyLookup::ByKey);
      break;
    case db::kEntryTypeCodes:
      if (!recognizeCode(p, cursor, *citation, covered)) {
        reject(table, citation);
        break;
      }
      replaceSectionSignCitation(table, *citation);
      fileAuthority(p, *citation, entry, KeyLookup::Matching);
      break;
    case db::kEntryTypeNumberedAuthorities:
      citation->jurisdiction = entry.jurisdiction;
      if (recognizeNumberedAuthority(p, cursor, *citation, covered)) {
        fileAuthority(p, *citation, entry, KeyLookup::ByKey);
      } else {
        reject(table, citation);
      }
      break;
    default:
      if (recognizeCase(p, cursor, *citation, entry, covered)) {
        fileCase(p, *citation, entry);
        break;
      }
      reject(table, citation);
      // Some reporters are also surnames ("Smith"): an italic one that is no
      // case citation may still be a case's short name.
      return Step::NotHandled;
  }
  return Step::Handled;
}

}  // namespace
}  // namespace recognize::internal

namespace recognize {

void recognizeParagraph(TokenList& tokens, CitationTable& table, db::EntryTypeCollection& dictionary,
                        int citationForm) {
  using namespace internal;
  Paragraph p{tokens, table, dictionary, citationForm & ~kWithOtherAuthorities};
  p.otherAuthorities = (citationForm & kWithOtherAuthorities) != 0;
  for (std::size_t cursor = 0; cursor < p.end(); ++cursor) {
    const Token& token = tokens[cursor];
    const std::string bare = db::stripTrailing(db::lowerCase(token.text), true);
    Step step = Step::NotHandled;
    db::EntryName entry;
    // A blank never passes the capital test, so it is not worth a question.
    std::size_t covered = token.isBlank() ? 0 : matchDictionaryName(p, cursor, entry);
    if (token.isWord()) {
      db::EntryName written;
      const std::size_t writtenCovered = matchWrittenReporter(p, cursor, written);
      if (writtenCovered > covered) {
        covered = writtenCovered;
        entry = written;
      }
    }
    if (covered > 0) {
      if (isCapitalStart(token.text, true)) {
        // An authority cited inside "(citing ...)" is filed, but an Id. after
        // it still means the authority that cited it.
        Citation* citing = table.previous;
        const std::size_t at = cursor;
        step = dispatchName(p, cursor, entry, covered);
        if (step == Step::Handled && citing != nullptr && table.previous != citing && table.contains(citing) &&
            insideCitingParenthetical(p, at))
          table.previous = citing;
      }
    } else if (token.isWord() && bare == "supra" && recordSupraOccurrence(p, cursor)) {
      step = Step::Handled;
    } else if (token.isWord() && (bare == "id" || bare == "ibid")) {
      recordIdOccurrence(p, cursor);
      step = Step::Handled;
    } else if (token.isSectionSign()) {
      if (!p.otherAuthorities || !recognizeOtherAuthorityAtSign(p, cursor)) recognizeSectionSign(p, cursor);
      step = Step::Handled;
    } else if ((bare == "section" || bare == "sec") && token.text != "SEC" && recognizeSectionWord(p, cursor)) {
      // A section referred to in words after its code was cited counts for
      // that code's section, as a section sign alone does.
      step = Step::Handled;
    }
    if (step == Step::Stop) return;
    if (step == Step::NotHandled && p.otherAuthorities && cursor < p.end() && recognizeOtherAuthority(p, cursor)) {
      step = Step::Handled;
    }
    if (step == Step::Handled) p.claimedEnd = std::min(cursor + 1, p.end());
    if (step == Step::NotHandled && cursor < p.end()) {
      // A record cite, brief or book in between: an Id. after it means that
      // source, which the table does not file, so it must not reach further back.
      if (table.previous != nullptr && endsReachOfPrevious(p, cursor)) table.previous = nullptr;
      const Token& here = tokens[cursor];
      if ((here.attribute(kUnderline) || here.attribute(kItalic)) && !here.used && !here.nameRun) {
        recordNameRunOccurrence(p, cursor);
      }
    }
  }
}

}  // namespace recognize

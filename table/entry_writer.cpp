// Types one entry of the table: the authority's text with its case name
// underlined or italicised as asked, the leader, and its page list between
// the marks that a page refresh reads. In: one citation, its entry number and
// the category's style. Out: host commands at the insertion point.
#include <algorithm>
#include <string>
#include <vector>

#include "host/host_commands.h"
#include "table/internal/table_layout.h"

namespace table::internal {
namespace {

constexpr int kAttributeItalic = 8;
constexpr int kAttributeUnderline = 14;

// Underline modes: the items of the option set's case-name combo.
constexpr int kModeAsInDocument = -1;
constexpr int kModeNone = 0;
constexpr int kModeExceptV = 2;
constexpr int kModeOnlyV = 3;
constexpr int kModeExceptBlanksAroundV = 4;
constexpr int kModeItalic = 5;

// Longest walk back to a blank; a walk that finds none in this many
// characters (or reaches the document's start) leaves the text as it is.
constexpr int kMostStepsToBlank = 4096;

host::HostCommands& commands() { return host::hostCommands(); }
void type(const std::string& text) { commands().TypeText(host::HostText(text)); }
bool isV(const std::string& text) { return text == "v." || text == "V."; }

enum class BlankVariant { Plain, Comma };

// Leaves the blank before the insertion point (or the nearest one left of
// it) not underlined, the insertion point back where typing goes on. The
// Comma variant closes a case name.
void unUnderlineBlankBefore(BlankVariant variant) {
  host::HostCommands& c = commands();
  c.Command823(0);
  c.SelectCharLeft();
  int steps = 0;
  std::string selected = c.GetSelectedText().text();
  while (selected != " ") {
    if (selected.empty() || steps >= kMostStepsToBlank) {
      // No blank to the left: go back and change nothing.
      for (int i = 0; i < steps; ++i) c.Command33197();
      c.MoveCharRight();
      return;
    }
    c.MoveCharLeft();
    c.SelectCharLeft();
    ++steps;
    selected = c.GetSelectedText().text();
  }
  if (variant == BlankVariant::Comma) {
    if (selected != ",") {
      c.MoveCharLeft();
      ++steps;
    } else {
      c.MoveCharRight();
    }
  }
  // The plain variant formats the blank while it is still the selection: a
  // MoveCharRight here would end the selection and leave the blank
  // underlined.
  if (steps == 0) {
    c.AttributeOff(kAttributeUnderline);
    return;
  }
  for (int i = 0; i < steps; ++i) c.Command33197();
  c.AttributeOff(kAttributeUnderline);
  c.MoveCharRight();
}

void writePageList(const recognize::Citation& citation, const EntryStyle& style) {
  host::HostCommands& c = commands();
  if (style.passim && static_cast<int>(citation.pages.size()) > style.passimMaximum) {
    type("passim");
    return;
  }
  std::vector<int> pages = citation.pages;
  std::sort(pages.begin(), pages.end());
  int onLine = 0;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    type(std::to_string(pages[i]));
    ++onLine;
    if (i + 1 == pages.size()) break;
    type(",");
    if (onLine >= style.referencesPerLine) {
      onLine = 0;
      c.HardReturn();
      c.InsertIndent();
    } else {
      c.InsertSpace75();
    }
  }
}

}  // namespace

void writeEntry(const recognize::Citation& citation, const EntryStyle& style, int entryNumber) {
  host::HostCommands& c = commands();
  int mode = style.underlineMode;

  c.Command33162();
  if (mode == 1 || mode == kModeExceptV || mode == kModeExceptBlanksAroundV) {
    c.AttributeOn(kAttributeUnderline);
  } else {
    c.AttributeOff(kAttributeUnderline);
    c.Command33163();
    if (mode == kModeItalic) c.AttributeOn(kAttributeItalic);
  }

  bool isCase = citation.kind == recognize::kCase;
  bool first = true;
  bool afterV = false;
  const recognize::TokenList& tokens = citation.tokens;
  for (std::size_t i = firstWrittenToken(tokens); i < tokens.size(); ++i) {
    const recognize::Token& token = tokens[i];
    if (token.nameStop) {
      unUnderlineBlankBefore(BlankVariant::Comma);
      c.AttributeOff(kAttributeUnderline);
      c.AttributeOff(kAttributeItalic);
      mode = kModeNone;
      isCase = false;
    }
    if (mode == kModeAsInDocument || !isCase) {
      if (token.attribute(recognize::kUnderline)) c.AttributeOn(kAttributeUnderline);
      else c.AttributeOff(kAttributeUnderline);
    }
    if (token.isSpecial()) {
      const auto byte = [](char b) { return static_cast<std::uint8_t>(b) == 0xFF ? 0 : static_cast<std::uint8_t>(b); };
      c.InsertCharacter(byte(token.text.size() > 0 ? token.text[0] : '\0'),
                        byte(token.text.size() > 1 ? token.text[1] : '\0'));
      continue;
    }
    if (isV(token.text)) {
      if (mode == kModeExceptV) {
        unUnderlineBlankBefore(BlankVariant::Plain);
        c.AttributeOff(kAttributeUnderline);
      } else if (mode == kModeOnlyV) {
        c.AttributeOn(kAttributeUnderline);
      } else if (mode == kModeExceptBlanksAroundV) {
        unUnderlineBlankBefore(BlankVariant::Plain);
        c.AttributeOn(kAttributeUnderline);
      }
    }
    if (afterV && (mode == kModeExceptV || mode == kModeExceptBlanksAroundV)) {
      if (token.isBlank()) {
        c.AttributeOff(kAttributeUnderline);
      } else {
        c.AttributeOn(kAttributeUnderline);
        afterV = false;
      }
    }
    const std::string text = style.expandAbbreviations && isCase && style.abbreviations != nullptr
                                 ? expandedWord(token.text, *style.abbreviations)
                                 : token.text;
    type(text);
    if (first) {
      // The entry's first typed character keeps the case it was typed in.
      c.SelectCharLeft();
      c.ConvertCase(0);
      c.MoveCharRight();
      first = false;
    }
    if (isV(token.text)) {
      if (mode == kModeExceptV || mode == kModeExceptBlanksAroundV) afterV = true;
      else if (mode == kModeOnlyV) c.AttributeOff(kAttributeUnderline);
    }
  }

  c.CreateBookmark(host::HostText(nameEndMark(entryNumber)), 0);
  if (style.dotLeader) c.InsertDotLeaderTab();
  else c.InsertIndent();
  c.CreateBookmark(host::HostText(pageListBeginMark(citation.key)), 0);
  c.Command823(0);
  writePageList(citation, style);
  c.CreateBookmark(host::HostText(pageListEndMark(citation.key)), 0);
  c.CreateBookmark(host::HostText(pageEndMark(entryNumber)), 0);
  c.HardReturn();
}

}  // namespace table::internal

// Reads a bracketed group ("(9th Cir. 1990)", "(a)(1)", nested groups) that
// starts or ends at a token, marking its tokens grouped; gives everything
// back when the group does not close inside the paragraph.
#include <cstdint>
#include <vector>

#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

bool startsWith(const Token& token, char c) { return !token.isSpecial() && !token.text.empty() && token.text.front() == c; }
bool endsWith(const Token& token, char c) { return !token.isSpecial() && !token.text.empty() && token.text.back() == c; }

// A hard space joins the group text as one blank, as it does everywhere
// words are joined, so that keys made of group texts hold no 0xFF.
std::string_view groupText(const Token& token) { return token.isHardSpace() ? std::string_view(" ") : token.text; }

// Forward: `at` on an opening word; on success `at` is on the closing token.
bool readForward(Paragraph& p, std::size_t& at, char open, char close, TokenList* group, std::string& text) {
  TokenList& tokens = p.tokens;
  p.setGrouped(at, 1);
  const Token& first = tokens[at];
  text += first.text;
  if (group != nullptr) group->push_back(first);
  if (endsWith(first, close)) return true;
  for (std::size_t i = at + 1; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (token.isWord() && startsWith(token, open)) {
      if (!readForward(p, i, open, close, group, text)) return false;
      continue;
    }
    p.setGrouped(i, 1);
    text += groupText(token);
    if (group != nullptr) group->push_back(token);
    if (endsWith(token, close)) {
      at = i;
      return true;
    }
  }
  return false;
}

// Backward: `at` on a closing word; tokens collected in reverse order into
// `reversed`, texts into `pieces` in reverse; on success `at` is on the
// opening token.
bool readBackward(Paragraph& p, std::size_t& at, char open, char close, TokenList& reversed,
                  std::vector<std::string_view>& pieces) {
  TokenList& tokens = p.tokens;
  p.setGrouped(at, 1);
  const Token& last = tokens[at];
  pieces.push_back(last.text);
  reversed.push_back(last);
  if (startsWith(last, open)) return true;
  for (std::size_t i = at; i-- > 0;) {
    const Token& token = tokens[i];
    if (token.isWord() && endsWith(token, close)) {
      if (!readBackward(p, i, open, close, reversed, pieces)) return false;
      continue;
    }
    p.setGrouped(i, 1);
    pieces.push_back(groupText(token));
    reversed.push_back(token);
    if (startsWith(token, open)) {
      at = i;
      return true;
    }
  }
  return false;
}

}  // namespace

std::string collectGroup(Paragraph& p, std::size_t& cursor, char open, char close, TokenList* group) {
  if (cursor >= p.end() || !startsWith(p.tokens[cursor], open)) return {};
  const MarkSnapshot marks(p);
  const std::size_t groupSize = group != nullptr ? group->size() : 0;
  std::size_t at = cursor;
  std::string text;
  if (!readForward(p, at, open, close, group, text)) {
    marks.restore();
    if (group != nullptr) group->resize(groupSize);
    return {};
  }
  cursor = at;
  return text;
}

std::string collectGroupBackward(Paragraph& p, std::size_t& cursor, char open, char close, TokenList* group) {
  if (cursor >= p.end() || !endsWith(p.tokens[cursor], close)) return {};
  const MarkSnapshot marks(p);
  std::size_t at = cursor;
  TokenList reversed;
  std::vector<std::string_view> pieces;
  if (!readBackward(p, at, open, close, reversed, pieces)) {
    marks.restore();
    return {};
  }
  std::string text;
  for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) text += *piece;
  if (group != nullptr) group->insert(group->begin(), reversed.rbegin(), reversed.rend());
  cursor = at;
  return text;
}

}  // namespace recognize::internal

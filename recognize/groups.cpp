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

// The flags a failed reading must give back, and how much of the caller's
// list it added.
class Rollback {
 public:
  // Remembers the flags of tokens [from, to).
  Rollback(TokenList& tokens, std::size_t from, std::size_t to, TokenList* group)
      : tokens_(tokens), from_(from), group_(group), groupSize_(group ? group->size() : 0) {
    for (std::size_t i = from; i < to && i < tokens.size(); ++i) flags_.push_back(tokens[i].grouped);
  }
  void undo() {
    for (std::size_t i = 0; i < flags_.size(); ++i) tokens_[from_ + i].grouped = flags_[i];
    if (group_ != nullptr) group_->resize(groupSize_);
  }

 private:
  TokenList& tokens_;
  std::size_t from_;
  TokenList* group_;
  std::size_t groupSize_;
  std::vector<std::uint8_t> flags_;
};

// Forward: `at` on an opening word; on success `at` is on the closing token.
bool readForward(TokenList& tokens, std::size_t& at, char open, char close, TokenList* group, std::string& text) {
  Token& first = tokens[at];
  first.grouped = 1;
  text += first.text;
  if (group != nullptr) group->push_back(first);
  if (endsWith(first, close)) return true;
  for (std::size_t i = at + 1; i < tokens.size(); ++i) {
    Token& token = tokens[i];
    if (token.isWord() && startsWith(token, open)) {
      if (!readForward(tokens, i, open, close, group, text)) return false;
      continue;
    }
    token.grouped = 1;
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
bool readBackward(TokenList& tokens, std::size_t& at, char open, char close, TokenList& reversed,
                  std::vector<std::string_view>& pieces) {
  Token& last = tokens[at];
  last.grouped = 1;
  pieces.push_back(last.text);
  reversed.push_back(last);
  if (startsWith(last, open)) return true;
  for (std::size_t i = at; i-- > 0;) {
    Token& token = tokens[i];
    if (token.isWord() && endsWith(token, close)) {
      if (!readBackward(tokens, i, open, close, reversed, pieces)) return false;
      continue;
    }
    token.grouped = 1;
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
  Rollback rollback(p.tokens, cursor, p.end(), group);
  std::size_t at = cursor;
  std::string text;
  if (!readForward(p.tokens, at, open, close, group, text)) {
    rollback.undo();
    return {};
  }
  cursor = at;
  return text;
}

std::string collectGroupBackward(Paragraph& p, std::size_t& cursor, char open, char close, TokenList* group) {
  if (cursor >= p.end() || !endsWith(p.tokens[cursor], close)) return {};
  Rollback rollback(p.tokens, 0, cursor + 1, nullptr);
  std::size_t at = cursor;
  TokenList reversed;
  std::vector<std::string_view> pieces;
  if (!readBackward(p.tokens, at, open, close, reversed, pieces)) {
    rollback.undo();
    return {};
  }
  std::string text;
  for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) text += *piece;
  if (group != nullptr) group->insert(group->begin(), reversed.rbegin(), reversed.rend());
  cursor = at;
  return text;
}

}  // namespace recognize::internal

// Builds a document's content from Markdown: blocks become paragraphs ending
// in hard returns (or a hard page break), inline markup becomes items, and
// footnote definitions become the texts of the references that use them.
#include <map>
#include <optional>

#include "quillon/format/markdown.h"
#include "quillon/format/markdown_attributes.h"
#include "quillon/format/markdown_blocks.h"
#include "quillon/format/markdown_inline.h"

namespace quillon::format {
namespace {

using doc::CodeKind;
using doc::Item;
using doc::ItemKind;
using internal::MarkdownBlock;

bool hasContent(const std::vector<Item>& items) {
  for (const Item& item : items) {
    if (!item.isCode()) return true;
  }
  return false;
}

// One paragraph's items, heading and list marker applied, without its end.
std::vector<Item> paragraphItems(const MarkdownBlock& block, internal::InlineContext& context) {
  std::vector<Item> items;
  for (char c : block.prefix) items.push_back(Item::character(static_cast<std::uint8_t>(c)));
  std::vector<Item> body = internal::parseInline(block, context);
  if (body.empty() && !items.empty()) items.pop_back();  // a list marker alone keeps no blank after it
  items.insert(items.end(), body.begin(), body.end());
  if (block.bold && hasContent(items)) {
    items.insert(items.begin(), Item::codeOf(CodeKind::AttributeOn, doc::kBold));
    items.push_back(Item::codeOf(CodeKind::AttributeOff, doc::kBold));
  }
  internal::normalizeAttributes(items);
  // Blanks left at an end once empty spans are gone ("<u></u> a") are dropped
  // like any other blanks at a paragraph's ends.
  const auto blank = [](const Item& item) { return item == Item::character(' ') || item.kind == ItemKind::Tab; };
  while (!items.empty() && blank(items.back())) items.pop_back();
  std::size_t lead = 0;
  while (lead < items.size() && blank(items[lead])) ++lead;
  items.erase(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(lead));
  return items;
}

class Importer {
 public:
  MarkdownImport run(std::string_view utf8) {
    const auto lines = internal::splitLines(utf8);
    const internal::MarkdownBlocks parsed = internal::parseBlocks(lines, true);
    footnotes_ = &parsed.footnotes;
    for (std::size_t i = 0; i < parsed.footnotes.size(); ++i) {
      const auto& definition = parsed.footnotes[i];
      if (!byId_.emplace(definition.id, i).second) {
        warn(definition.line, "footnote [^" + definition.id + "] is defined again; this text is ignored");
      }
    }
    texts_.resize(parsed.footnotes.size());

    internal::InlineContext context{&result_.warnings, [this](std::string_view id, int line) {
                                      return resolve(id, line);
                                    }};
    std::vector<Item>& items = result_.content.items;
    for (const MarkdownBlock& block : parsed.blocks) {
      if (block.kind == internal::BlockKind::PageBreak) {
        // The break takes the place of the paragraph's return before it.
        if (!items.empty() && items.back().kind == ItemKind::HardReturn) {
          items.back() = Item::of(ItemKind::HardPageBreak);
        } else {
          items.push_back(Item::of(ItemKind::HardPageBreak));
        }
        continue;
      }
      std::vector<Item> paragraph = paragraphItems(block, context);
      if (!hasContent(paragraph)) continue;
      items.insert(items.end(), paragraph.begin(), paragraph.end());
      items.push_back(Item::of(ItemKind::HardReturn));
    }
    for (const auto& [id, index] : byId_) {
      if (!texts_[index]) warn((*footnotes_)[index].line, "footnote [^" + id + "] is never referenced; dropped");
    }
    return std::move(result_);
  }

 private:
  void warn(int line, const std::string& message) {
    result_.warnings.push_back("line " + std::to_string(line) + ": " + message);
  }

  // Each reference gets its own note, in the order of the references.
  std::optional<int> resolve(std::string_view id, int /*line*/) {
    const auto it = byId_.find(std::string(id));
    if (it == byId_.end()) return std::nullopt;
    std::optional<doc::ItemText>& text = texts_[it->second];
    if (!text) text = noteText((*footnotes_)[it->second]);
    result_.content.notes.push_back(*text);
    return static_cast<int>(result_.content.notes.size() - 1);
  }

  doc::ItemText noteText(const internal::FootnoteDefinition& definition) {
    internal::InlineContext context{&result_.warnings, {}};
    doc::ItemText text;
    for (const MarkdownBlock& block : definition.blocks) {
      std::vector<Item> paragraph = paragraphItems(block, context);
      if (!hasContent(paragraph)) continue;
      if (!text.empty()) text.push_back(Item::of(ItemKind::HardReturn));
      text.insert(text.end(), paragraph.begin(), paragraph.end());
    }
    return text;
  }

  MarkdownImport result_;
  const std::vector<internal::FootnoteDefinition>* footnotes_ = nullptr;
  std::map<std::string, std::size_t> byId_;
  std::vector<std::optional<doc::ItemText>> texts_;
};

}  // namespace

MarkdownImport importMarkdown(std::string_view utf8) { return Importer().run(utf8); }

}  // namespace quillon::format

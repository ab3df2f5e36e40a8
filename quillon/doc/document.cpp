// Edits a document's main text: typing, inserting special items and codes,
// formatting and case changes, keeping positions, bookmarks and layout in
// step with every change.
#include "quillon/doc/document.h"

#include <algorithm>
#include <utility>

#include "quillon/doc/charsets.h"
#include "quillon/doc/visible_text.h"

namespace quillon::doc {
namespace {

// A position after an edit at `at`: positions past it move, the one at it stays.
void shiftForInsert(std::size_t& position, std::size_t at, std::size_t count) {
  if (position > at) position += count;
}

void shiftForErase(std::size_t& position, std::size_t from, std::size_t to) {
  if (position >= to) {
    position -= to - from;
  } else if (position > from) {
    position = from;
  }
}

int defaultValue(CodeKind kind) {
  switch (kind) {
    case CodeKind::Size: return kDefaultSize;
    case CodeKind::LineSpacing: return kDefaultSpacing;
    case CodeKind::MarginLeft:
    case CodeKind::MarginRight:
    case CodeKind::MarginTop:
    case CodeKind::MarginBottom: return kDefaultMargin;
    default: return 0;
  }
}

bool isAttributeCode(const Item& item, int attribute) {
  return item.isCode() && (item.code == CodeKind::AttributeOn || item.code == CodeKind::AttributeOff) &&
         item.value == attribute;
}

}  // namespace

Document::Document() : faces_{"Quillon Mono"} {}

Document::Document(DocumentContent content)
    : items_(std::move(content.items)),
      notes_(std::move(content.notes)),
      faces_(std::move(content.faces)),
      targets_(std::move(content.targets)) {
  if (faces_.empty()) faces_.push_back("Quillon Mono");
  for (Bookmark& mark : content.bookmarks) {
    mark.start.position = std::min(mark.start.position, items_.size());
    mark.end.position = std::min(mark.end.position, items_.size());
    bookmarks_.put(std::move(mark));
  }
}

DocumentContent Document::content() const {
  return {items_, notes_, faces_, targets_, bookmarks_.all()};
}

std::string Document::text() const { return visibleText(items_, 0, items_.size()); }

void Document::insertItems(std::size_t at, const std::vector<Item>& items) {
  noteSpot_.reset(), extendNote_.reset();
  if (items.empty()) return;
  at = std::min(at, items_.size());
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), items.begin(), items.end());
  shiftForInsert(point_, at, items.size());
  if (anchor_) shiftForInsert(*anchor_, at, items.size());
  shiftForInsert(extendFrom_, at, items.size());
  bookmarks_.insert(at, items.size());
  layout_.invalidateFrom(at);
  modified_ = true;
}

void Document::eraseItems(std::size_t from, std::size_t to) {
  noteSpot_.reset(), extendNote_.reset();
  to = std::min(to, items_.size());
  if (from >= to) return;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(from), items_.begin() + static_cast<std::ptrdiff_t>(to));
  shiftForErase(point_, from, to);
  if (anchor_) shiftForErase(*anchor_, from, to);
  shiftForErase(extendFrom_, from, to);
  bookmarks_.erase(from, to);
  layout_.invalidateFrom(from);
  modified_ = true;
}

void Document::endSelectionAtEnd() {
  if (auto range = selection()) point_ = range->end;
  anchor_.reset();
}

void Document::typeItems(const std::vector<Item>& items) {
  endSelectionAtEnd();
  const std::size_t at = point_;
  insertItems(at, items);
  point_ = at + items.size();
}

namespace {

std::vector<Item> typedItems(std::string_view text) {
  std::vector<Item> items;
  items.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte == '\n') {
      items.push_back(Item::of(ItemKind::HardReturn));
    } else if (byte == '\t') {
      items.push_back(Item::of(ItemKind::Tab));
    } else if (byte >= 0x20) {
      items.push_back(Item::character(byte));
    }
  }
  return items;
}

}  // namespace

void Document::typeText(std::string_view text) { typeItems(typedItems(text)); }

void Document::hardReturn() { typeItems({Item::of(ItemKind::HardReturn)}); }
void Document::hardPageBreak() { typeItems({Item::of(ItemKind::HardPageBreak)}); }
void Document::insertTab() { typeItems({Item::of(ItemKind::Tab)}); }
void Document::insertDotLeaderTab() { typeItems({Item::of(ItemKind::DotLeaderTab)}); }
void Document::insertHardSpace() { typeItems({Item::of(ItemKind::HardSpace)}); }
void Document::insertSpecial(std::uint8_t set, std::uint8_t number) { typeItems({Item::special(set, number)}); }

void Document::insertNote(std::string_view noteText) { insertNote(typedItems(noteText)); }

void Document::insertNote(ItemText noteText) {
  notes_.push_back(std::move(noteText));
  typeItems({Item::of(ItemKind::NoteReference, static_cast<std::int32_t>(notes_.size() - 1))});
}

void Document::insertPageNumberCode(int number) {
  typeItems({Item::codeOf(CodeKind::PageNumber, std::max(1, number))});
}

int Document::internString(std::vector<std::string>& table, std::string_view text) {
  auto it = std::find(table.begin(), table.end(), text);
  if (it == table.end()) it = table.insert(table.end(), std::string(text));
  return static_cast<int>(it - table.begin());
}

template <typename Same>
void Document::applyCode(Item code, Item restore, Same same) {
  const auto range = selection();
  if (!range) {
    typeItems({code});
    return;
  }
  const bool pointAtEnd = point_ >= *anchor_;
  // Codes right at the selection's edges belong to it: formatting the same
  // selection twice must not pile up codes.
  std::size_t outerStart = range->start;
  while (outerStart > 0 && items_[outerStart - 1].isCode()) --outerStart;
  std::size_t outerEnd = range->end;
  while (outerEnd < items_.size() && items_[outerEnd].isCode()) ++outerEnd;
  std::size_t start = range->start;
  std::size_t end = range->end;
  for (std::size_t i = outerEnd; i-- > outerStart;) {
    if (!same(items_[i])) continue;
    eraseItems(i, i + 1);
    if (i < start) --start;
    if (i < end) --end;
    --outerEnd;
  }
  if (!(restore == code)) insertItems(outerEnd, {restore});
  insertItems(outerStart, {code});
  ++start;
  ++end;
  anchor_ = pointAtEnd ? start : end;
  point_ = pointAtEnd ? end : start;
}

std::size_t Document::settingEnd() const {
  const auto range = selection();
  if (!range) return point_;
  std::size_t end = range->end;
  while (end < items_.size() && items_[end].isCode()) ++end;
  return end;
}

void Document::setAttribute(int attribute, bool on) {
  // Only a selection needs the old state, and finding it may scan far back.
  const bool wasOn = selection() ? attributeAt(attribute, settingEnd()) : on;
  const Item code = Item::codeOf(on ? CodeKind::AttributeOn : CodeKind::AttributeOff, attribute);
  const Item restore = Item::codeOf(wasOn ? CodeKind::AttributeOn : CodeKind::AttributeOff, attribute);
  applyCode(code, restore, [attribute](const Item& item) { return isAttributeCode(item, attribute); });
}

void Document::setValue(CodeKind kind, int value) {
  const int old = selection() ? valueAt(kind, settingEnd()) : value;
  applyCode(Item::codeOf(kind, value), Item::codeOf(kind, old),
            [kind](const Item& item) { return item.isCode() && item.code == kind; });
}

void Document::setFont(std::string_view face) { setValue(CodeKind::Font, internString(faces_, face)); }

void Document::wrapSelection(Item open, Item close) {
  const auto range = selection();
  const bool pointAtEnd = point_ >= *anchor_;
  insertItems(range->end, {close});
  insertItems(range->start, {open});
  anchor_ = pointAtEnd ? range->start + 1 : range->end + 1;
  point_ = pointAtEnd ? range->end + 1 : range->start + 1;
}

bool Document::keepTogether() {
  if (!selection()) return false;
  wrapSelection(Item::codeOf(CodeKind::KeepTogetherStart), Item::codeOf(CodeKind::KeepTogetherEnd));
  return true;
}

bool Document::createHyperlink(std::string_view targetBookmark) {
  if (!selection()) return false;
  wrapSelection(Item::codeOf(CodeKind::HyperlinkStart, internString(targets_, targetBookmark)),
                Item::codeOf(CodeKind::HyperlinkEnd));
  return true;
}

void Document::convertCase(CaseMode mode) {
  const auto range = selection();
  if (!range || mode == CaseMode::AsTyped) return;
  bool inWord = false;
  for (std::size_t i = range->start; i < range->end; ++i) {
    Item& item = items_[i];
    if (item.isCode()) continue;
    if (item.kind != ItemKind::Character) {
      inWord = false;
      continue;
    }
    const auto byte = static_cast<std::uint8_t>(item.value);
    std::uint8_t changed = byte;
    if (mode == CaseMode::Lower) changed = lowerCp1252(byte);
    if (mode == CaseMode::Upper) changed = upperCp1252(byte);
    if (mode == CaseMode::InitialCapitals) changed = inWord ? lowerCp1252(byte) : upperCp1252(byte);
    inWord = isWordByte(byte);
    if (changed != byte) {
      item.value = changed;
      modified_ = true;  // same widths: the layout stays valid
    }
  }
}

bool Document::attributeAt(int attribute, std::size_t position) const {
  for (std::size_t i = std::min(position, items_.size()); i-- > 0;) {
    if (isAttributeCode(items_[i], attribute)) return items_[i].code == CodeKind::AttributeOn;
  }
  return false;
}

int Document::valueAt(CodeKind kind, std::size_t position) const {
  for (std::size_t i = std::min(position, items_.size()); i-- > 0;) {
    if (items_[i].isCode() && items_[i].code == kind) return items_[i].value;
  }
  return defaultValue(kind);
}

std::string Document::hyperlinkAt(std::size_t position) const {
  for (std::size_t i = std::min(position, items_.size()); i-- > 0;) {
    const Item& item = items_[i];
    if (!item.isCode()) continue;
    if (item.code == CodeKind::HyperlinkEnd) return {};
    if (item.code == CodeKind::HyperlinkStart) {
      const auto n = static_cast<std::size_t>(item.value);
      return n < targets_.size() ? targets_[n] : std::string{};
    }
  }
  return {};
}

Placement Document::placeOf(std::size_t position) { return layout_.place(items_, notes_, position); }

}  // namespace quillon::doc

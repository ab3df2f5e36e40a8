// Turns key presses into host commands on the document engine; see
// document_editing.h. Moves by line have no host command, so they place the
// insertion point through the document directly, as a mouse click would.
#include "quillon/window/document_editing.h"

#include <cstdlib>
#include <vector>

#include "quillon/commands/command_table.h"
#include "quillon/doc/charsets.h"

namespace quillon::window {
namespace {

constexpr std::uint16_t kInsertCharacter = 88;
constexpr std::uint16_t kAttributeOn = 89;
constexpr std::uint16_t kAttributeOff = 90;

CommandParameter integerParameter(std::int32_t value) {
  CommandParameter parameter;
  parameter.letter = 'W';
  parameter.integer = value;
  return parameter;
}

}  // namespace

void DocumentEditing::run(std::uint16_t command, std::int32_t value, bool withValue) {
  CommandRequest request;
  request.command = command;
  if (withValue) request.parameters.push_back(integerParameter(value));
  request.declaredCount = static_cast<std::uint32_t>(request.parameters.size());
  (void)engine_.execute(request);
}

void DocumentEditing::typeText(const QString& text) {
  for (const char32_t point : text.toUcs4()) {
    if (point < 0x20 || point == 0x7F) continue;
    if (const auto byte = doc::unicodeToCp1252(point)) {
      CommandRequest request;
      request.command = command::kTypeText;
      CommandParameter parameter;
      parameter.letter = 'N';
      parameter.kind = ValueKind::AnsiText;
      parameter.ansi = std::string(1, static_cast<char>(*byte));
      request.parameters.push_back(parameter);
      request.declaredCount = 1;
      (void)engine_.execute(request);
    } else if (const auto special = doc::unicodeToSpecial(point)) {
      CommandRequest request;
      request.command = kInsertCharacter;
      request.parameters = {integerParameter(special->set), integerParameter(special->number)};
      request.declaredCount = 2;
      (void)engine_.execute(request);
    } else {
      typeText(QStringLiteral("?"));
    }
  }
}

void DocumentEditing::erase(bool forward) {
  doc::Document& d = engine_.document();
  if (!d.selection()) {
    const std::size_t before = d.insertionPoint();
    if (forward) {
      run(command::kMoveCharRight);
      if (d.insertionPoint() == before) return;  // nothing after it
    } else if (before == 0) {
      return;
    }
    run(command::kSelectCharLeft);
  }
  run(command::kDeleteSelection);
}

void DocumentEditing::toggle(int attribute) {
  doc::Document& d = engine_.document();
  const auto range = d.selection();
  const std::size_t at = range ? range->start : d.insertionPoint();
  // Inside a selection the code that opens it stands at its start.
  const bool on = range ? d.attributeAt(attribute, at + 1) || d.attributeAt(attribute, at)
                        : d.attributeAt(attribute, at);
  run(on ? kAttributeOff : kAttributeOn, attribute, true);
}

template <typename Move>
void DocumentEditing::moveOrExtend(bool extend, Move move) {
  doc::Document& d = engine_.document();
  const std::size_t point = d.insertionPoint();
  const auto range = d.selection();
  const std::size_t anchor = range ? (point == range->start ? range->end : range->start) : point;
  if (extend && range) d.moveTo(point);  // moves from the point, not from the selection's edge
  move();
  if (extend) d.select(anchor, d.insertionPoint());
}

// The position on the line above (-1) or below (+1) nearest the insertion
// point's column; the insertion point itself at the first or last line.
std::size_t DocumentEditing::lineNeighbour(int direction) {
  doc::Document& d = engine_.document();
  const std::size_t point = d.insertionPoint();
  const doc::Placement here = d.placeOf(point);
  const std::vector<doc::LaidLine> lines = d.lines();
  std::size_t current = 0;
  while (current + 1 < lines.size() && lines[current + 1].start <= point) ++current;
  const long target = static_cast<long>(current) + direction;
  if (target < 0 || target >= static_cast<long>(lines.size())) return point;
  const doc::LaidLine& line = lines[static_cast<std::size_t>(target)];
  std::size_t best = line.start;
  int bestDistance = std::abs(d.placeOf(best).x - here.x);
  const std::size_t last = target + 1 < static_cast<long>(lines.size()) ? line.end - 1 : line.end;
  for (std::size_t p = line.start + 1; p <= last && p <= d.items().size(); ++p) {
    const int distance = std::abs(d.placeOf(p).x - here.x);
    if (distance < bestDistance) best = p, bestDistance = distance;
  }
  return best;
}

std::size_t DocumentEditing::lineEnd(bool end) {
  doc::Document& d = engine_.document();
  const std::size_t point = d.insertionPoint();
  const std::vector<doc::LaidLine> lines = d.lines();
  std::size_t current = 0;
  while (current + 1 < lines.size() && lines[current + 1].start <= point) ++current;
  if (lines.empty()) return point;
  const doc::LaidLine& line = lines[current];
  if (!end) return line.start;
  // Before the paragraph's return, not after it.
  const bool lastLine = current + 1 == lines.size();
  return lastLine || line.end == 0 ? line.end : line.end - 1;
}

bool DocumentEditing::handle(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  const bool shift = mods & Qt::ShiftModifier;
  doc::Document& d = engine_.document();
  if (mods & Qt::ControlModifier) {
    switch (event.key()) {
      case Qt::Key_B: toggle(doc::kBold); return true;
      case Qt::Key_I: toggle(doc::kItalic); return true;
      case Qt::Key_U: toggle(doc::kUnderline); return true;
      default: return false;
    }
  }
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: run(command::kHardReturn); return true;
    case Qt::Key_Backspace: erase(false); return true;
    case Qt::Key_Delete: erase(true); return true;
    case Qt::Key_Left: moveOrExtend(shift, [&] { run(command::kMoveCharLeft); }); return true;
    case Qt::Key_Right: moveOrExtend(shift, [&] { run(command::kMoveCharRight); }); return true;
    case Qt::Key_Up: moveOrExtend(shift, [&] { d.moveTo(lineNeighbour(-1)); }); return true;
    case Qt::Key_Down: moveOrExtend(shift, [&] { d.moveTo(lineNeighbour(1)); }); return true;
    case Qt::Key_Home: moveOrExtend(shift, [&] { d.moveTo(lineEnd(false)); }); return true;
    case Qt::Key_End: moveOrExtend(shift, [&] { d.moveTo(lineEnd(true)); }); return true;
    default: break;
  }
  if (event.text().isEmpty() || (mods & (Qt::AltModifier | Qt::MetaModifier))) return false;
  typeText(event.text());
  return !event.text().isEmpty();
}

}  // namespace quillon::window

// Letter rules and accessors of a decoded host command.
#include "quillon/commands/command_request.h"

#include "quillon/libs/text_codec.h"

namespace quillon {

ValueKind valueKindOf(char letter) {
  switch (letter) {
    case 'D':
    case 'J':
    case 'K':
    case 'L':
    case 'M':
      return ValueKind::Number;
    case 'N':
    case 'O':
    case 'P':
    case 'V':
      return ValueKind::AnsiText;
    case 'Q':
    case 'R':
      return ValueKind::HostString;
    case 'f':
      return ValueKind::WideText;
    default:
      return ValueKind::Integer;
  }
}

std::int32_t CommandRequest::integerAt(std::size_t i, std::int32_t fallback) const {
  if (i >= parameters.size() || parameters[i].omitted()) return fallback;
  return parameters[i].integer;
}

std::u16string CommandRequest::textAt(std::size_t i) const {
  if (i >= parameters.size() || parameters[i].omitted()) return {};
  const CommandParameter& p = parameters[i];
  if (p.kind == ValueKind::AnsiText) return hostStringOfAnsi(p.ansi);
  if (p.kind == ValueKind::HostString || p.kind == ValueKind::WideText) return p.text;
  return {};
}

}  // namespace quillon

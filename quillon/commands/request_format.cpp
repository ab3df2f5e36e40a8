// Formats decoded requests for the command log.
#include "quillon/commands/request_format.h"

#include <cstdio>

#include "quillon/commands/command_table.h"
#include "quillon/libs/text_codec.h"

namespace quillon {
namespace {

std::string quoted(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string valueOf(const CommandParameter& p) {
  if (p.omitted()) return "omitted";
  if (p.nullPointer) return "null";
  if (p.unreadable) return "unreadable";
  switch (p.kind) {
    case ValueKind::Integer:
      return std::to_string(p.integer);
    case ValueKind::Number: {
      char number[32];
      std::snprintf(number, sizeof number, "%g", p.number);
      return number;
    }
    case ValueKind::AnsiText:
      return quoted(utf8OfHostString(hostStringOfAnsi(p.ansi)));
    case ValueKind::HostString:
    case ValueKind::WideText:
      return quoted(utf8OfHostString(p.text));
  }
  return {};
}

}  // namespace

std::string formatRequest(const CommandRequest& request) {
  const std::string_view name = commandName(request.command);
  std::string line = name.empty() ? std::string("Command") : std::string(name);
  line += " (" + std::to_string(request.command) + ")";
  for (const CommandParameter& p : request.parameters) {
    line += ' ';
    line += p.letter >= 0x20 && p.letter < 0x7F ? p.letter : '?';
    line += ' ' + valueOf(p);
  }
  return line;
}

}  // namespace quillon

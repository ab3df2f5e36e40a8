// Names and reply kinds of the host's command numbers.
#include "quillon/commands/command_table.h"

#include <array>

namespace quillon {
namespace {

struct CommandRow {
  std::uint16_t number;
  std::string_view name;
  ReplyKind reply;
};

constexpr ReplyKind N = ReplyKind::None;
constexpr ReplyKind I = ReplyKind::Int32;
constexpr ReplyKind S = ReplyKind::Int16;
constexpr ReplyKind T = ReplyKind::Text;

constexpr std::array kCommands = {
    CommandRow{2, "TypeText", N},
    CommandRow{85, "HardReturn", N},
    CommandRow{75, "InsertSpace75", N},
    CommandRow{83, "InsertIndent", N},
    CommandRow{34236, "InsertDotLeaderTab", N},
    CommandRow{88, "InsertCharacter", N},
    CommandRow{89, "AttributeOn", N},
    CommandRow{90, "AttributeOff", N},
    CommandRow{163, "ConvertCase", N},
    CommandRow{191, "SetFont", N},
    CommandRow{192, "SetFontSize", N},
    CommandRow{167, "SetLineSpacing", N},
    CommandRow{157, "Command157", N},
    CommandRow{153, "SetMarginLeft", S},
    CommandRow{154, "SetMarginRight", S},
    CommandRow{97, "SetMarginTop", S},
    CommandRow{98, "SetMarginBottom", S},
    CommandRow{170, "Command170", S},
    CommandRow{169, "SetParagraphIndent", S},
    CommandRow{168, "SetFirstLineIndent", N},
    CommandRow{203, "ApplyToSelection203", I},
    CommandRow{202, "CreateBookmark", N},
    CommandRow{370, "GoToBookmark", N},
    CommandRow{371, "SelectBookmark", N},
    CommandRow{373, "DeleteBookmark", N},
    CommandRow{33416, "GetBookmarkInfo", I},  // Text for a name; see replyKindOf
    CommandRow{375, "CreateHyperlink", N},
    CommandRow{16665, "GetSelectedText", T},
    CommandRow{33256, "SetSelectMode", N},
    CommandRow{33190, "SelectCharLeft", N},
    CommandRow{33189, "MoveCharLeft", N},
    CommandRow{33196, "MoveCharRight", N},
    CommandRow{33197, "Command33197", N},
    CommandRow{33051, "DeleteSelection", N},
    CommandRow{33328, "GoToDocumentTop", N},
    CommandRow{33236, "GoToDocumentEnd", N},
    CommandRow{33208, "Command33208", N},
    CommandRow{33193, "Command33193", N},
    CommandRow{33162, "Command33162", N},
    CommandRow{33163, "Command33163", N},
    CommandRow{823, "Command823", N},
    CommandRow{549, "SetSearchText", N},
    CommandRow{33186, "SearchBackward", N},
    CommandRow{33185, "SearchForward", N},
    CommandRow{561, "SetSearchOption561", N},
    CommandRow{563, "SetSearchOption563", N},
    CommandRow{570, "SearchBegin570", N},
    CommandRow{573, "SearchEnd573", N},
    CommandRow{16450, "GetPageNumber", S},
    CommandRow{16740, "GetHorizontalPosition", S},
    CommandRow{49205, "GetVerticalPosition", S},
    CommandRow{16455, "QueryState16455", S},
    CommandRow{49189, "GetDocumentPath", T},
    CommandRow{49208, "GetDocumentFileName", T},
    CommandRow{49213, "IsDocumentModified", I},
    CommandRow{32993, "SaveDocument", N},
    CommandRow{33102, "SaveDocumentAs", N},
    CommandRow{33101, "NewDocument", N},
    CommandRow{33150, "SetUpdateMode", I},
    CommandRow{33340, "Command33340", N},
    CommandRow{16846, "GetSwitchA", I},
    CommandRow{891, "SetSwitchA", N},
    CommandRow{16847, "GetSwitchB", I},
    CommandRow{892, "SetSwitchB", N},
    CommandRow{16926, "GetSwitchC", I},
    CommandRow{998, "SetSwitchC", N},
};
static_assert(kCommands.size() == 66);

const CommandRow* rowOf(std::uint16_t number) {
  for (const CommandRow& row : kCommands) {
    if (row.number == number) return &row;
  }
  return nullptr;
}

}  // namespace

std::string_view commandName(std::uint16_t command) {
  const CommandRow* row = rowOf(command);
  return row != nullptr ? row->name : std::string_view{};
}

bool isKnownCommand(std::uint16_t command) { return rowOf(command) != nullptr; }

ReplyKind replyKindOf(const CommandRequest& request) {
  if (request.command == command::kGetBookmarkInfo) {
    const bool asksName = request.integerAt(1) == kBookmarkInfoWhatBookmarks &&
                          request.integerAt(2) == kBookmarkInfoSubName;
    return asksName ? ReplyKind::Text : ReplyKind::Int32;
  }
  const CommandRow* row = rowOf(request.command);
  return row != nullptr ? row->reply : ReplyKind::Int32;
}

}  // namespace quillon

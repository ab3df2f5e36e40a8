// Carries out host commands on the current document: dispatch, typing,
// formatting, bookmarks, search, positions and the document's name and saving.
// In: decoded requests. Out: the changed document and each command's result.
#include "quillon/commands/document_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/platform.h"
#include "quillon/commands/command_table.h"
#include "quillon/libs/text_codec.h"

namespace quillon {
namespace {

using doc::CodeKind;

// Command numbers the command table header leaves out.
constexpr std::uint16_t kInsertCharacter = 88;
constexpr std::uint16_t kAttributeOn = 89;
constexpr std::uint16_t kAttributeOff = 90;
constexpr std::uint16_t kConvertCase = 163;
constexpr std::uint16_t kSetFont = 191;
constexpr std::uint16_t kSetFontSize = 192;
constexpr std::uint16_t kSetLineSpacing = 167;
constexpr std::uint16_t kSetMarginLeft = 153;
constexpr std::uint16_t kSetMarginRight = 154;
constexpr std::uint16_t kSetMarginTop = 97;
constexpr std::uint16_t kSetMarginBottom = 98;
constexpr std::uint16_t kSetParagraphIndent = 169;
constexpr std::uint16_t kSetFirstLineIndent = 168;
constexpr std::uint16_t kApplyToSelection203 = 203;
constexpr std::uint16_t kCreateHyperlink = 375;
constexpr std::uint16_t kSetSearchOption561 = 561;
constexpr std::uint16_t kSetSearchOption563 = 563;
constexpr std::uint16_t kSearchBegin570 = 570;
constexpr std::uint16_t kSearchEnd573 = 573;
constexpr std::uint16_t kGetHorizontalPosition = 16740;
constexpr std::uint16_t kGetVerticalPosition = 49205;

// Commands that neither change the selection nor end a SelectCharLeft pick.
bool keepsPick(std::uint16_t number) {
  switch (number) {
    case command::kGetSelectedText:
    case 33197:
    case 823:
    case command::kGetPageNumber:
    case kGetHorizontalPosition:
    case kGetVerticalPosition:
    case 16455:
      return true;
    default:
      return false;
  }
}

std::string ansiAt(const CommandRequest& request, std::size_t i) {
  return ansiOfHostString(request.textAt(i));
}

CommandResult int16Result(int value) {
  const int clamped = std::clamp(value, static_cast<int>(std::numeric_limits<std::int16_t>::min()),
                                 static_cast<int>(std::numeric_limits<std::int16_t>::max()));
  return integerResult(clamped);
}

// A 16-bit parameter (letters W and X) arrives in a 32-bit slot.
int int16At(const CommandRequest& request, std::size_t i) {
  return static_cast<std::int16_t>(request.integerAt(i) & 0xFFFF);
}

bool isOmitted(const CommandRequest& request, std::size_t i) {
  return i >= request.parameters.size() || request.parameters[i].omitted();
}

}  // namespace

DocumentEngine::DocumentEngine(DocumentStore& store, NamePrompt& prompt)
    : store_(store), prompt_(prompt), document_(std::make_unique<doc::Document>()) {}

void DocumentEngine::setPath(const std::string& path) {
  const std::size_t cut = path.rfind(platform::kPathSeparator);
  folder_ = cut == std::string::npos ? std::string{} : path.substr(0, cut + 1);
  fileName_ = cut == std::string::npos ? path : path.substr(cut + 1);
}

void DocumentEngine::openDocument(doc::DocumentContent content, const std::string& path) {
  document_ = std::make_unique<doc::Document>(std::move(content));
  setPath(path);
  pick_ = false;
  forgetTypingState();
}

CommandResult DocumentEngine::execute(const CommandRequest& request) {
  const bool wasPick = pick_;
  if (!keepsPick(request.command)) pick_ = false;
  bool handled = false;
  CommandResult result = typing(request, handled);
  if (!handled) result = formatting(request, wasPick, handled);
  if (!handled) result = moves(request, handled);
  if (!handled) result = marksAndSearch(request, handled);
  if (!handled) result = documentCommand(request, handled);
  return result;
}

void DocumentEngine::forgetTypingState() {
  codesOnly_ = false;
  pendingSteps_ = 0;
}

CommandResult DocumentEngine::typing(const CommandRequest& request, bool& handled) {
  doc::Document& d = *document_;
  handled = true;
  switch (request.command) {
    case command::kTypeText:
      d.typeText(ansiAt(request, 0));
      break;
    case command::kHardReturn:
      d.hardReturn();
      break;
    case command::kInsertSpace75:
      d.typeText(" ");
      break;
    case command::kInsertIndent:
      d.insertTab();
      break;
    case command::kInsertDotLeaderTab:
      d.insertDotLeaderTab();
      break;
    case kInsertCharacter: {
      if (isOmitted(request, 0) || isOmitted(request, 1)) return {};
      const auto set = static_cast<std::uint8_t>(request.integerAt(0) & 0xFF);
      const auto number = static_cast<std::uint8_t>(request.integerAt(1) & 0xFF);
      // Set 0 is plain ASCII, and its blank is how a plug-in writes back the
      // hard space it read from a saved file: keep it unbreakable.
      if (set == 0 && number == 0x20) d.insertHardSpace();
      else if (set == 0 && number > 0x20 && number < 0x7F) d.typeText(std::string(1, static_cast<char>(number)));
      else d.insertSpecial(set, number);
      break;
    }
    default:
      handled = false;
      return {};
  }
  forgetTypingState();
  return {};
}

CommandResult DocumentEngine::formatting(const CommandRequest& request, bool wasPick, bool& handled) {
  doc::Document& d = *document_;
  handled = true;
  const auto setValue = [&](CodeKind kind) -> CommandResult {
    if (isOmitted(request, 0)) return int16Result(d.valueAt(kind, d.insertionPoint()));
    const int value = int16At(request, 0);
    d.setValue(kind, value);
    return int16Result(value);
  };
  switch (request.command) {
    case kAttributeOn:
    case kAttributeOff:
      if (isOmitted(request, 0)) return {};
      d.setAttribute(request.integerAt(0), request.command == kAttributeOn);
      if (wasPick) endPickAfterFormat();
      return {};
    case kConvertCase: {
      const int mode = request.integerAt(0);
      if (mode >= 0 && mode <= 3) d.convertCase(static_cast<doc::CaseMode>(mode));
      return {};
    }
    case kSetFont:
      if (!isOmitted(request, 0)) d.setFont(ansiAt(request, 0));
      return {};
    case kSetFontSize:
      if (int16At(request, 0) > 0) d.setValue(CodeKind::Size, int16At(request, 0));
      return {};
    case kSetLineSpacing: {
      if (request.parameters.empty()) return {};
      const double spacing = request.parameters[0].number;
      if (spacing > 0.0 && spacing < 100.0) {
        d.setValue(CodeKind::LineSpacing, static_cast<int>(std::lround(spacing * 1000.0)));
      }
      return {};
    }
    case kSetMarginLeft:
      return setValue(CodeKind::MarginLeft);
    case kSetMarginRight:
      return setValue(CodeKind::MarginRight);
    case kSetMarginTop:
      return setValue(CodeKind::MarginTop);
    case kSetMarginBottom:
      return setValue(CodeKind::MarginBottom);
    case kSetParagraphIndent:
      return setValue(CodeKind::ParagraphIndent);
    case kSetFirstLineIndent:
      (void)setValue(CodeKind::FirstLineIndent);
      return {};
    case kApplyToSelection203:
      return integerResult(request.integerAt(0) == 1 && d.keepTogether() ? 1 : 0);
    case 157:
    case 33162:
    case 33163:
    case 33193:
    case 33208:
    case 33340:
      return {};
    case 170:
    case 16455:
      return int16Result(0);
    default:
      handled = false;
      return {};
  }
}

CommandResult DocumentEngine::marksAndSearch(const CommandRequest& request, bool& handled) {
  doc::Document& d = *document_;
  handled = true;
  switch (request.command) {
    case command::kCreateBookmark: {
      const std::string name = ansiAt(request, 0);
      if (!name.empty()) d.createBookmark(name, request.integerAt(1) == 1);
      return {};
    }
    case command::kGoToBookmark:
      (void)d.goToBookmark(ansiAt(request, 0));
      return {};
    case command::kSelectBookmark:
      (void)d.selectBookmark(ansiAt(request, 0));
      return {};
    case command::kDeleteBookmark:
      (void)d.deleteBookmark(ansiAt(request, 0));
      return {};
    case command::kGetBookmarkInfo: {
      if (request.integerAt(1) != kBookmarkInfoWhatBookmarks) return {};
      const std::int32_t sub = request.integerAt(2);
      if (sub == kBookmarkInfoSubCount) return integerResult(static_cast<std::int32_t>(d.bookmarkCount()));
      if (sub == kBookmarkInfoSubName) {
        // The index is read from its slot even when marked omitted: the
        // sender marks the value 253 so, and the 253rd bookmark has a name too.
        const std::int32_t n = request.parameters.size() > 4 ? request.parameters[4].integer : 0;
        if (n < 1) return {};
        const auto name = d.bookmarkName(static_cast<std::size_t>(n));
        return name ? textResult(hostStringOfAnsi(*name)) : CommandResult{};
      }
      return {};
    }
    case kCreateHyperlink: {
      const std::string target = ansiAt(request, 2);
      if (!target.empty()) (void)d.createHyperlink(target);
      return {};
    }
    case command::kGetSelectedText:
      return textResult(hostStringOfAnsi(d.selectedText()));
    case command::kSetSearchText:
      d.setSearchText(ansiAt(request, 0));
      return {};
    case command::kSearchBackward:
      (void)d.searchBackward();
      return {};
    case command::kSearchForward:
      (void)d.searchForward();
      return {};
    case kSetSearchOption561:
      d.setMatchCase(request.integerAt(0) == 1);
      return {};
    case kSetSearchOption563:
      d.setWholeWords(request.integerAt(0) == 1);
      return {};
    case kSearchBegin570:
      d.beginExtendingSearch();
      return {};
    case kSearchEnd573:
      d.endExtendingSearch();
      return {};
    case command::kGetPageNumber:
      return int16Result(d.pageNumber());
    case kGetHorizontalPosition:
      return int16Result(d.horizontalPosition());
    case kGetVerticalPosition:
      return int16Result(d.verticalPosition());
    default:
      handled = false;
      return {};
  }
}

bool DocumentEngine::saveTo(const std::string& path) {
  if (path.empty() || !store_.save(*document_, path)) return false;
  setPath(path);
  document_->setModified(false);
  return true;
}

CommandResult DocumentEngine::documentCommand(const CommandRequest& request, bool& handled) {
  handled = true;
  switch (request.command) {
    case command::kGetDocumentPath:
      return textResult(hostStringOfAnsi(folder_));
    case command::kGetDocumentFileName:
      return textResult(hostStringOfAnsi(fileName_));
    case command::kIsDocumentModified:
      return integerResult(document_->modified() ? 1 : 0);
    case command::kSaveDocument:
      (void)saveTo(fileName_.empty() ? prompt_.askForName() : folder_ + fileName_);
      return {};
    case command::kSaveDocumentAs:
      (void)saveTo(ansiAt(request, 0));
      return {};
    case command::kNewDocument:
      document_ = std::make_unique<doc::Document>();
      folder_.clear();
      fileName_.clear();
      forgetTypingState();
      return {};
    case command::kSetUpdateMode: {
      const bool previous = updateMode_;
      if (!isOmitted(request, 0)) updateMode_ = request.integerAt(0) != 0;
      return integerResult(previous ? 1 : 0);
    }
    case command::kGetSwitchA:
      return integerResult(switchA_ ? 1 : 0);
    case command::kGetSwitchB:
      return integerResult(switchB_ ? 1 : 0);
    case command::kGetSwitchC:
      return integerResult(switchC_ ? 1 : 0);
    case command::kSetSwitchA:
      switchA_ = request.integerAt(0) != 0;
      return {};
    case command::kSetSwitchB:
      switchB_ = request.integerAt(0) != 0;
      return {};
    case command::kSetSwitchC:
      switchC_ = request.integerAt(0) != 0;
      return {};
    default:
      handled = false;
      return {};
  }
}

}  // namespace quillon

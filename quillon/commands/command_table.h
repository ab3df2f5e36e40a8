// The host's numbered macro commands: their names and the shape of the reply
// each one gets. In: a command number (and, for GetBookmarkInfo, its
// arguments). Out: a name for logs and the reply kind the executor builds.
#pragma once

#include <cstdint>
#include <string_view>

#include "quillon/commands/command_request.h"

namespace quillon {

// What the host writes into its reply block.
enum class ReplyKind {
  None,   // no reply block at all
  Int32,  // 32-bit integer at byte 136
  Int16,  // 16-bit integer at byte 136
  Text,   // host string from byte 138
};

// Command numbers that the host's documents act on.
namespace command {
inline constexpr std::uint16_t kTypeText = 2;
inline constexpr std::uint16_t kInsertSpace75 = 75;
inline constexpr std::uint16_t kInsertIndent = 83;
inline constexpr std::uint16_t kHardReturn = 85;
inline constexpr std::uint16_t kInsertDotLeaderTab = 34236;
inline constexpr std::uint16_t kCreateBookmark = 202;
inline constexpr std::uint16_t kGoToBookmark = 370;
inline constexpr std::uint16_t kSelectBookmark = 371;
inline constexpr std::uint16_t kDeleteBookmark = 373;
inline constexpr std::uint16_t kGetBookmarkInfo = 33416;
inline constexpr std::uint16_t kGetSelectedText = 16665;
inline constexpr std::uint16_t kSetSelectMode = 33256;
inline constexpr std::uint16_t kSelectCharLeft = 33190;
inline constexpr std::uint16_t kMoveCharLeft = 33189;
inline constexpr std::uint16_t kMoveCharRight = 33196;
inline constexpr std::uint16_t kDeleteSelection = 33051;
inline constexpr std::uint16_t kGoToDocumentTop = 33328;
inline constexpr std::uint16_t kGoToDocumentEnd = 33236;
inline constexpr std::uint16_t kSetSearchText = 549;
inline constexpr std::uint16_t kSearchForward = 33185;
inline constexpr std::uint16_t kSearchBackward = 33186;
inline constexpr std::uint16_t kGetPageNumber = 16450;
inline constexpr std::uint16_t kGetDocumentPath = 49189;
inline constexpr std::uint16_t kGetDocumentFileName = 49208;
inline constexpr std::uint16_t kIsDocumentModified = 49213;
inline constexpr std::uint16_t kSaveDocument = 32993;
inline constexpr std::uint16_t kSaveDocumentAs = 33102;
inline constexpr std::uint16_t kNewDocument = 33101;
inline constexpr std::uint16_t kSetUpdateMode = 33150;
inline constexpr std::uint16_t kGetSwitchA = 16846;
inline constexpr std::uint16_t kSetSwitchA = 891;
inline constexpr std::uint16_t kGetSwitchB = 16847;
inline constexpr std::uint16_t kSetSwitchB = 892;
inline constexpr std::uint16_t kGetSwitchC = 16926;
inline constexpr std::uint16_t kSetSwitchC = 998;
}  // namespace command

// GetBookmarkInfo's numeric codes as they arrive in the block.
inline constexpr std::int32_t kBookmarkInfoWhatBookmarks = 4;
inline constexpr std::int32_t kBookmarkInfoSubCount = 0;
inline constexpr std::int32_t kBookmarkInfoSubName = 1;

// The command's name, e.g. commandName(2) == "TypeText"; empty when unknown.
std::string_view commandName(std::uint16_t command);

// True for a number listed in the host's command table.
bool isKnownCommand(std::uint16_t command);

// The reply a request gets. GetBookmarkInfo replies with text when asked for
// a bookmark's name (what 4, sub 1) and with a 32-bit integer otherwise; a
// command the host does not know gets a 32-bit 0.
ReplyKind replyKindOf(const CommandRequest& request);

}  // namespace quillon

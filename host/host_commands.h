// The host's numbered macro commands as one operation each. In: the caller's
// values (host symbolic numbers where a translation is listed, HostText for
// texts). Out: one command block sent to the host window, and the result that
// the host replied with (0 or the empty text when it supplied no reply).
//
// Every operation builds a block with its parameters in the order listed,
// sends it, reads the result, releases the block and returns the result.
// Integer parameters marked "253 omits" are sent with flag 0x8000 when the
// caller passes 253 (the value itself is sent unchanged) and with flags 0
// otherwise. Text parameters travel as host strings (letter Q or R) unless
// marked N or V (ANSI); an empty text travels with flags 0 and a null value.
//
// Errors: none are thrown. A block that cannot be allocated sends nothing and
// the operation returns 0 or the empty text.
#pragma once

#include <cstdint>

#include "host/host_text.h"

namespace host {

// Command numbers, one per operation of HostCommands.
namespace command {
// typing
inline constexpr std::uint16_t kTypeText = 2;
inline constexpr std::uint16_t kHardReturn = 85;
inline constexpr std::uint16_t kInsertSpace75 = 75;
inline constexpr std::uint16_t kInsertIndent = 83;
inline constexpr std::uint16_t kInsertDotLeaderTab = 34236;
inline constexpr std::uint16_t kInsertCharacter = 88;
// character formatting
inline constexpr std::uint16_t kAttributeOn = 89;
inline constexpr std::uint16_t kAttributeOff = 90;
inline constexpr std::uint16_t kConvertCase = 163;
inline constexpr std::uint16_t kSetFont = 191;
inline constexpr std::uint16_t kSetFontSize = 192;
// paragraph and page formatting
inline constexpr std::uint16_t kSetLineSpacing = 167;
inline constexpr std::uint16_t kCommand157 = 157;
inline constexpr std::uint16_t kSetMarginLeft = 153;
inline constexpr std::uint16_t kSetMarginRight = 154;
inline constexpr std::uint16_t kSetMarginTop = 97;
inline constexpr std::uint16_t kSetMarginBottom = 98;
inline constexpr std::uint16_t kCommand170 = 170;
inline constexpr std::uint16_t kSetParagraphIndent = 169;
inline constexpr std::uint16_t kSetFirstLineIndent = 168;
inline constexpr std::uint16_t kApplyToSelection203 = 203;
// bookmarks and hyperlinks
inline constexpr std::uint16_t kCreateBookmark = 202;
inline constexpr std::uint16_t kGoToBookmark = 370;
inline constexpr std::uint16_t kSelectBookmark = 371;
inline constexpr std::uint16_t kDeleteBookmark = 373;
inline constexpr std::uint16_t kGetBookmarkInfo = 33416;
inline constexpr std::uint16_t kCreateHyperlink = 375;
// selection and movement
inline constexpr std::uint16_t kGetSelectedText = 16665;
inline constexpr std::uint16_t kSetSelectMode = 33256;
inline constexpr std::uint16_t kSelectCharLeft = 33190;
inline constexpr std::uint16_t kMoveCharLeft = 33189;
inline constexpr std::uint16_t kMoveCharRight = 33196;
inline constexpr std::uint16_t kCommand33197 = 33197;
inline constexpr std::uint16_t kDeleteSelection = 33051;
inline constexpr std::uint16_t kGoToDocumentTop = 33328;
inline constexpr std::uint16_t kGoToDocumentEnd = 33236;
inline constexpr std::uint16_t kCommand33208 = 33208;
inline constexpr std::uint16_t kCommand33193 = 33193;
inline constexpr std::uint16_t kCommand33162 = 33162;
inline constexpr std::uint16_t kCommand33163 = 33163;
inline constexpr std::uint16_t kCommand823 = 823;
// search
inline constexpr std::uint16_t kSetSearchText = 549;
inline constexpr std::uint16_t kSearchBackward = 33186;
inline constexpr std::uint16_t kSearchForward = 33185;
inline constexpr std::uint16_t kSetSearchOption561 = 561;
inline constexpr std::uint16_t kSetSearchOption563 = 563;
inline constexpr std::uint16_t kSearchBegin570 = 570;
inline constexpr std::uint16_t kSearchEnd573 = 573;
// positions
inline constexpr std::uint16_t kGetPageNumber = 16450;
inline constexpr std::uint16_t kGetHorizontalPosition = 16740;
inline constexpr std::uint16_t kGetVerticalPosition = 49205;
inline constexpr std::uint16_t kQueryState16455 = 16455;
// document
inline constexpr std::uint16_t kGetDocumentPath = 49189;
inline constexpr std::uint16_t kGetDocumentFileName = 49208;
inline constexpr std::uint16_t kIsDocumentModified = 49213;
inline constexpr std::uint16_t kSaveDocument = 32993;
inline constexpr std::uint16_t kSaveDocumentAs = 33102;
inline constexpr std::uint16_t kNewDocument = 33101;
inline constexpr std::uint16_t kSetUpdateMode = 33150;
inline constexpr std::uint16_t kCommand33340 = 33340;
// host switches
inline constexpr std::uint16_t kGetSwitchA = 16846;
inline constexpr std::uint16_t kSetSwitchA = 891;
inline constexpr std::uint16_t kGetSwitchB = 16847;
inline constexpr std::uint16_t kSetSwitchB = 892;
inline constexpr std::uint16_t kGetSwitchC = 16926;
inline constexpr std::uint16_t kSetSwitchC = 998;
}  // namespace command

// The host's symbolic numbers that GetBookmarkInfo's callers pass.
namespace bookmark_info {
inline constexpr std::int32_t kWhatBookmarks = 10820;  // sent as 4
inline constexpr std::int32_t kSubCount = 0;           // sent as 0
inline constexpr std::int32_t kSubName = 19554;        // sent as 1
inline constexpr std::int32_t kFourth = 13066;         // sent as 0
}  // namespace bookmark_info

// One operation per host command. Letters in the comments are the parameter
// letters sent; "253" marks a parameter that 253 omits; "a -> b" is a value
// translation made before sending.
class HostCommands {
 public:
  // --- typing -------------------------------------------------------------
  void TypeText(HostText text);                                      // 2: Q
  void HardReturn();                                                 // 85
  void InsertSpace75();                                              // 75
  void InsertIndent();                                               // 83
  void InsertDotLeaderTab();                                         // 34236
  void InsertCharacter(std::uint8_t characterSet, std::uint8_t number);  // 88: C C

  // --- character formatting -----------------------------------------------
  void AttributeOn(std::int32_t attribute);   // 89: I (17723 -> 7; 253)
  void AttributeOff(std::int32_t attribute);  // 90: I (17723 -> 7; 253)
  void ConvertCase(std::int32_t mode);        // 163: I (17081 -> 0, 17740 -> 3)
  // 191: Q I I I I I I I (253 on each integer)
  void SetFont(HostText faceName, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d,
               std::int32_t e, std::int32_t f, std::int32_t g);
  void SetFontSize(std::int16_t size);  // 192: X, 1/1200 inch

  // --- paragraph and page formatting --------------------------------------
  void SetLineSpacing(double spacing, std::int16_t second);  // 167: J W (253)
  void Command157(double value);                             // 157: J
  std::int16_t SetMarginLeft(std::int16_t margin);           // 153: X (253) -> int16
  std::int16_t SetMarginRight(std::int16_t margin);          // 154: X (253) -> int16
  std::int16_t SetMarginTop(std::int16_t margin);            // 97: X (253) -> int16
  std::int16_t SetMarginBottom(std::int16_t margin);         // 98: X (253) -> int16
  std::int16_t Command170(std::int16_t value);               // 170: W (253) -> int16
  std::int16_t SetParagraphIndent(std::int16_t indent);      // 169: W (253) -> int16
  void SetFirstLineIndent(std::int16_t offset);              // 168: W
  std::int32_t ApplyToSelection203(std::int32_t value);      // 203: I (253) -> int

  // --- bookmarks and hyperlinks -------------------------------------------
  void CreateBookmark(HostText name, std::int32_t overSelection);  // 202: Q I (253)
  void GoToBookmark(HostText name);                                // 370: Q
  void SelectBookmark(HostText name);                              // 371: Q
  void DeleteBookmark(HostText name);                              // 373: Q
  // 33416: R I I I F|@ (253 on value). Translations:
  //   what   10000 -> 2, 10820 -> 4, 17727 -> 14, 14925 -> 0, 15733 -> 1,
  //          13387 -> 2, 10936 -> 8, 12800 -> 9
  //   sub    16716 -> 8, 19554 -> 1, 11743 -> 5
  //   fourth 13066 -> 0
  //   value  16716 -> 5, 17179 -> 13, 11435 -> 25, 12878 -> 45 (letter '@')
  // When what becomes 4, value is sent untranslated with letter 'F'; then sub
  // 1 writes the text result into name, and sub 0 the integer result into
  // value (0 or the empty text when the host gave no reply).
  //   std::int32_t count = 0;
  //   GetBookmarkInfo(name, kWhatBookmarks, kSubCount, kFourth, count);
  void GetBookmarkInfo(HostText& name, std::int32_t what, std::int32_t sub, std::int32_t fourth,
                       std::int32_t& value);
  // 375: I V Q I (253 on flag); callers send kind 0, an empty text, flag 0.
  void CreateHyperlink(std::int32_t kind, HostText text, HostText targetBookmark,
                       std::int32_t flag);

  // --- selection and movement ---------------------------------------------
  HostText GetSelectedText();          // 16665 -> text
  void SetSelectMode(std::int32_t on);  // 33256: I (253)
  void SelectCharLeft();               // 33190
  void MoveCharLeft();                 // 33189
  void MoveCharRight();                // 33196
  void Command33197();                 // 33197
  void DeleteSelection();              // 33051
  void GoToDocumentTop();              // 33328
  void GoToDocumentEnd();              // 33236
  void Command33208();                 // 33208
  void Command33193();                 // 33193
  void Command33162();                 // 33162
  void Command33163();                 // 33163
  void Command823(std::int32_t value);  // 823: I

  // --- search -------------------------------------------------------------
  void SetSearchText(HostText text);                // 549: Q
  void SearchBackward(std::int32_t flag);           // 33186: I (253)
  void SearchForward(std::int32_t flag);            // 33185: I (253)
  void SetSearchOption561(std::int32_t value);      // 561: I
  void SetSearchOption563(std::int32_t value);      // 563: I
  void SearchBegin570();                            // 570
  void SearchEnd573();                              // 573

  // --- positions ----------------------------------------------------------
  std::int16_t GetPageNumber();          // 16450 -> int16
  std::int16_t GetHorizontalPosition();  // 16740 -> int16
  std::int16_t GetVerticalPosition();    // 49205 -> int16
  std::int16_t QueryState16455();        // 16455 -> int16

  // --- document -----------------------------------------------------------
  HostText GetDocumentPath();      // 49189 -> text
  HostText GetDocumentFileName();  // 49208 -> text
  std::int32_t IsDocumentModified();  // 49213 -> int
  void SaveDocument();             // 32993
  // 33102: N I I; format 16848 -> 837, 17495 -> 150, 15892 -> 227 (253);
  // third 19531 -> 2 (253).
  void SaveDocumentAs(HostText fileName, std::int32_t format, std::int32_t third);
  void NewDocument();                            // 33101
  std::int32_t SetUpdateMode(std::int32_t on);   // 33150: I (253) -> int
  void Command33340(std::int32_t value);         // 33340: I (253)

  // --- host switches ------------------------------------------------------
  std::int32_t GetSwitchA();           // 16846 -> int
  void SetSwitchA(std::int32_t on);    // 891: I
  std::int32_t GetSwitchB();           // 16847 -> int
  void SetSwitchB(std::int32_t on);    // 892: I
  std::int32_t GetSwitchC();           // 16926 -> int
  void SetSwitchC(std::int32_t on);    // 998: I
};

// The process-wide command object. It holds no state; it exists so that every
// caller names the commands the same way: hostCommands().HardReturn().
HostCommands& hostCommands();

}  // namespace host

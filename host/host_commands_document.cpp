// The bookmark, selection, search, position, document and switch operations
// of HostCommands. In: the caller's texts and host symbolic numbers. Out: one
// host command each, and the integer or text the host replied with.
#include "host/host_commands.h"

#include "host/host_command_call.h"

namespace host {

using internal::CommandCall;
using internal::OnConversionFailure;
using internal::sendPlain;
using internal::translate;
using internal::Translation;

namespace {

constexpr Translation kBookmarkWhat[] = {{10000, 2}, {10820, 4}, {17727, 14}, {14925, 0},
                                         {15733, 1}, {13387, 2}, {10936, 8},  {12800, 9}};
constexpr Translation kBookmarkSub[] = {{16716, 8}, {19554, 1}, {11743, 5}};
constexpr Translation kBookmarkFourth[] = {{13066, 0}};
constexpr Translation kBookmarkValue[] = {{16716, 5}, {17179, 13}, {11435, 25}, {12878, 45}};
// The codes that reach the host, after translation.
constexpr std::int32_t kSentWhatBookmarks = 4;
constexpr std::int32_t kSentSubCount = 0;
constexpr std::int32_t kSentSubName = 1;

constexpr Translation kSaveFormats[] = {{16848, 837}, {17495, 150}, {15892, 227}};
constexpr Translation kSaveThird[] = {{19531, 2}};

void sendBookmarkName(std::uint16_t commandNumber, HostText& name) {
  CommandCall call(1);
  call.hostString(0, 'Q', name, OnConversionFailure::MarkOmitted);
  call.send(commandNumber);
}

void sendOneInteger(std::uint16_t commandNumber, std::int32_t value) {
  CommandCall call(1);
  call.integer(0, 'I', value);
  call.send(commandNumber);
}

void sendOneOmittable(std::uint16_t commandNumber, std::int32_t value) {
  CommandCall call(1);
  call.omittable(0, 'I', value);
  call.send(commandNumber);
}

std::int16_t queryInt16(std::uint16_t commandNumber) {
  CommandCall call(0);
  call.send(commandNumber);
  return call.replyInt16();
}

std::int32_t queryInt32(std::uint16_t commandNumber) {
  CommandCall call(0);
  call.send(commandNumber);
  return call.replyInt32();
}

HostText queryText(std::uint16_t commandNumber) {
  CommandCall call(0);
  call.send(commandNumber);
  return call.replyText();
}

}  // namespace

// --- bookmarks and hyperlinks -----------------------------------------------

void HostCommands::CreateBookmark(HostText name, std::int32_t overSelection) {
  CommandCall call(2);
  call.hostString(0, 'Q', name);
  call.omittable(1, 'I', overSelection);
  call.send(command::kCreateBookmark);
}

void HostCommands::GoToBookmark(HostText name) { sendBookmarkName(command::kGoToBookmark, name); }

void HostCommands::SelectBookmark(HostText name) {
  sendBookmarkName(command::kSelectBookmark, name);
}

void HostCommands::DeleteBookmark(HostText name) {
  sendBookmarkName(command::kDeleteBookmark, name);
}

void HostCommands::GetBookmarkInfo(HostText& name, std::int32_t what, std::int32_t sub,
                                   std::int32_t fourth, std::int32_t& value) {
  const std::int32_t sentWhat = translate(kBookmarkWhat, what);
  const std::int32_t sentSub = translate(kBookmarkSub, sub);
  const bool aboutBookmarks = sentWhat == kSentWhatBookmarks;

  CommandCall call(5);
  call.hostString(0, 'R', name);
  call.integer(1, 'I', sentWhat);
  call.integer(2, 'I', sentSub);
  call.integer(3, 'I', translate(kBookmarkFourth, fourth));
  // About bookmarks the value is an index, not a symbolic number.
  if (aboutBookmarks) {
    call.omittable(4, 'F', value);
  } else {
    call.omittable(4, '@', translate(kBookmarkValue, value));
  }
  call.send(command::kGetBookmarkInfo);

  if (!aboutBookmarks) return;
  if (sentSub == kSentSubName) {
    name = call.replyText();
  } else if (sentSub == kSentSubCount) {
    value = call.replyInt32();
  }
}

void HostCommands::CreateHyperlink(std::int32_t kind, HostText text, HostText targetBookmark,
                                   std::int32_t flag) {
  CommandCall call(4);
  call.integer(0, 'I', kind);
  call.ansiText(1, 'V', text);
  call.hostString(2, 'Q', targetBookmark, OnConversionFailure::MarkOmitted);
  call.omittable(3, 'I', flag);
  call.send(command::kCreateHyperlink);
}

// --- selection and movement -------------------------------------------------

HostText HostCommands::GetSelectedText() { return queryText(command::kGetSelectedText); }
void HostCommands::SetSelectMode(std::int32_t on) { sendOneOmittable(command::kSetSelectMode, on); }
void HostCommands::SelectCharLeft() { sendPlain(command::kSelectCharLeft); }
void HostCommands::MoveCharLeft() { sendPlain(command::kMoveCharLeft); }
void HostCommands::MoveCharRight() { sendPlain(command::kMoveCharRight); }
void HostCommands::Command33197() { sendPlain(command::kCommand33197); }
void HostCommands::DeleteSelection() { sendPlain(command::kDeleteSelection); }
void HostCommands::GoToDocumentTop() { sendPlain(command::kGoToDocumentTop); }
void HostCommands::GoToDocumentEnd() { sendPlain(command::kGoToDocumentEnd); }
void HostCommands::Command33208() { sendPlain(command::kCommand33208); }
void HostCommands::Command33193() { sendPlain(command::kCommand33193); }
void HostCommands::Command33162() { sendPlain(command::kCommand33162); }
void HostCommands::Command33163() { sendPlain(command::kCommand33163); }
void HostCommands::Command823(std::int32_t value) { sendOneInteger(command::kCommand823, value); }

// --- search -----------------------------------------------------------------

void HostCommands::SetSearchText(HostText text) {
  CommandCall call(1);
  call.hostString(0, 'Q', text);
  call.send(command::kSetSearchText);
}

void HostCommands::SearchBackward(std::int32_t flag) {
  sendOneOmittable(command::kSearchBackward, flag);
}

void HostCommands::SearchForward(std::int32_t flag) {
  sendOneOmittable(command::kSearchForward, flag);
}

void HostCommands::SetSearchOption561(std::int32_t value) {
  sendOneInteger(command::kSetSearchOption561, value);
}

void HostCommands::SetSearchOption563(std::int32_t value) {
  sendOneInteger(command::kSetSearchOption563, value);
}

void HostCommands::SearchBegin570() { sendPlain(command::kSearchBegin570); }
void HostCommands::SearchEnd573() { sendPlain(command::kSearchEnd573); }

// --- positions --------------------------------------------------------------

std::int16_t HostCommands::GetPageNumber() { return queryInt16(command::kGetPageNumber); }

std::int16_t HostCommands::GetHorizontalPosition() {
  return queryInt16(command::kGetHorizontalPosition);
}

std::int16_t HostCommands::GetVerticalPosition() {
  return queryInt16(command::kGetVerticalPosition);
}

std::int16_t HostCommands::QueryState16455() { return queryInt16(command::kQueryState16455); }

// --- document ---------------------------------------------------------------

HostText HostCommands::GetDocumentPath() { return queryText(command::kGetDocumentPath); }
HostText HostCommands::GetDocumentFileName() { return queryText(command::kGetDocumentFileName); }
std::int32_t HostCommands::IsDocumentModified() { return queryInt32(command::kIsDocumentModified); }
void HostCommands::SaveDocument() { sendPlain(command::kSaveDocument); }

void HostCommands::SaveDocumentAs(HostText fileName, std::int32_t format, std::int32_t third) {
  CommandCall call(3);
  call.ansiText(0, 'N', fileName);
  call.omittable(1, 'I', translate(kSaveFormats, format));
  call.omittable(2, 'I', translate(kSaveThird, third));
  call.send(command::kSaveDocumentAs);
}

void HostCommands::NewDocument() { sendPlain(command::kNewDocument); }

std::int32_t HostCommands::SetUpdateMode(std::int32_t on) {
  CommandCall call(1);
  call.omittable(0, 'I', on);
  call.send(command::kSetUpdateMode);
  return call.replyInt32();
}

void HostCommands::Command33340(std::int32_t value) {
  sendOneOmittable(command::kCommand33340, value);
}

// --- host switches ----------------------------------------------------------

std::int32_t HostCommands::GetSwitchA() { return queryInt32(command::kGetSwitchA); }
void HostCommands::SetSwitchA(std::int32_t on) { sendOneInteger(command::kSetSwitchA, on); }
std::int32_t HostCommands::GetSwitchB() { return queryInt32(command::kGetSwitchB); }
void HostCommands::SetSwitchB(std::int32_t on) { sendOneInteger(command::kSetSwitchB, on); }
std::int32_t HostCommands::GetSwitchC() { return queryInt32(command::kGetSwitchC); }
void HostCommands::SetSwitchC(std::int32_t on) { sendOneInteger(command::kSetSwitchC, on); }

}  // namespace host

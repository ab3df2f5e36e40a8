// Token blocks and the command-bar announcement record.
#include "quillon/app/tokens.h"

#include <cstring>

#include "quillon/commands/block_layout.h"

namespace quillon::app {

Token::Token(platform::Atom hostAtom, std::uint16_t commandId, std::uint32_t parameterCount)
    : parameterCount_(parameterCount) {
  handle_ = platform::globalAlloc(platform::kGhnd, block::blockBytes(parameterCount));
  if (handle_ == nullptr) return;
  block_ = platform::globalLock(handle_);
  if (block_ == nullptr) return;
  auto* bytes = static_cast<std::uint8_t*>(block_);
  std::memcpy(bytes + block::kHostAtom, &hostAtom, sizeof hostAtom);
  std::memcpy(bytes + block::kCommand, &commandId, sizeof commandId);
  std::memcpy(bytes + block::kParameterCount, &parameterCount, sizeof parameterCount);
}

Token::~Token() {
  if (handle_ == nullptr) return;
  (void)platform::globalUnlock(handle_);
  (void)platform::globalFree(handle_);
}

void Token::setPointer(std::uint32_t index, char letter, const void* value) {
  if (block_ == nullptr || index >= parameterCount_) return;
  auto* bytes = static_cast<std::uint8_t*>(block_);
  const std::uint32_t letterCode = static_cast<unsigned char>(letter);
  std::memcpy(bytes + block::slotOffset(index, block::kSlotLetter), &letterCode, sizeof letterCode);
  std::memcpy(bytes + block::slotOffset(index, block::kSlotValue), &value, sizeof value);
}

Announcement::Announcement(platform::Atom hostAtom, platform::WindowHandle commandBar)
    : token_(hostAtom, kAnnouncementTokenId, 1) {
  for (std::size_t i = 0; kHostName[i] != 0; ++i) name_[i] = kHostName[i];
  const std::uint16_t* name = name_.data();
  std::memcpy(record_.data() + kNameOffset, &name, sizeof name);
  std::memcpy(record_.data() + kBarOffset, &commandBar, sizeof commandBar);
  token_.setPointer(0, '@', record_.data());
}

}  // namespace quillon::app

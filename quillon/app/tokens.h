// The tokens the host hands to plug-ins: command blocks in the host's layout,
// one to invoke a registered command and one to announce a command bar. In: a
// command id, or the bar's window. Out: a locked global memory block that
// lives as long as the Token.
#pragma once

#include <array>
#include <cstdint>

#include "platform/platform.h"

namespace quillon::app {

inline constexpr std::uint16_t kAnnouncementTokenId = 0xEF0A;
inline constexpr const char16_t* kHostName = u"Quillon";

class Token {
 public:
  // A block for `parameterCount` parameters with the host atom at 14, the
  // command id at 18 and the count at 20. Check valid(): allocation can fail.
  Token(platform::Atom hostAtom, std::uint16_t commandId, std::uint32_t parameterCount);
  ~Token();
  Token(const Token&) = delete;
  Token& operator=(const Token&) = delete;

  bool valid() const { return block_ != nullptr; }
  // The block pointer whose address TPHHandleToken takes.
  void*& block() { return block_; }

  // Stores a pointer-sized value in parameter i (letter, flags 0, value).
  void setPointer(std::uint32_t index, char letter, const void* value);

 private:
  platform::GlobalHandle handle_ = nullptr;
  void* block_ = nullptr;
  std::uint32_t parameterCount_ = 0;
};

// The record that parameter 0 of the announcement points to: a 2-byte lead
// (0), then, packed, a pointer to the host's name as a host string and the
// command-bar window handle, both pointer-sized.
class Announcement {
 public:
  Announcement(platform::Atom hostAtom, platform::WindowHandle commandBar);
  Announcement(const Announcement&) = delete;
  Announcement& operator=(const Announcement&) = delete;

  Token& token() { return token_; }

  static constexpr std::size_t kNameOffset = 2;
  static constexpr std::size_t kBarOffset = kNameOffset + sizeof(void*);

 private:
  std::array<std::uint16_t, 8> name_{};  // "Quillon" and its zero unit
  std::array<std::uint8_t, kBarOffset + sizeof(void*)> record_{};
  Token token_;
};

}  // namespace quillon::app

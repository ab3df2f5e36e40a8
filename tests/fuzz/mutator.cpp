// Applies random edits to byte strings for the fuzz drivers. In: bytes and a
// seed. Out: mutated bytes, reproducible from the seed.
#include "tests/fuzz/mutator.h"

#include <algorithm>
#include <array>

namespace fuzz {
namespace {

// Values that sit at the edges of lengths and counts.
constexpr std::array<std::uint32_t, 12> kEdgeValues = {0, 1, 2, 4, 5, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0xFFFF, 0xFFFFFFFF};

}  // namespace

Mutator::Mutator(std::uint64_t seed, std::vector<std::uint8_t> specialBytes)
    : random_(seed), special_(std::move(specialBytes)) {
  for (std::uint8_t b : {0x00, 0xFF, 0x7F, 0x80, 0x20}) special_.push_back(b);
}

std::size_t Mutator::below(std::size_t bound) {
  if (bound == 0) return 0;
  return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
}

std::uint8_t Mutator::interestingByte() {
  // Half the time a byte readers treat specially, else any byte.
  if (below(2) == 0) return special_[below(special_.size())];
  return static_cast<std::uint8_t>(below(256));
}

void Mutator::flipBit(std::string& data) {
  if (data.empty()) return;
  data[below(data.size())] ^= static_cast<char>(1U << below(8));
}

void Mutator::setByte(std::string& data) {
  if (data.empty()) return;
  data[below(data.size())] = static_cast<char>(interestingByte());
}

void Mutator::insertBytes(std::string& data) {
  const std::size_t at = below(data.size() + 1);
  const std::size_t count = 1 + below(8);
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) bytes.push_back(static_cast<char>(interestingByte()));
  data.insert(at, bytes);
}

void Mutator::deleteBytes(std::string& data) {
  if (data.empty()) return;
  const std::size_t at = below(data.size());
  // Mostly short cuts; sometimes everything to the end (a truncated file).
  const std::size_t count = below(8) == 0 ? data.size() - at : 1 + below(std::min<std::size_t>(16, data.size() - at));
  data.erase(at, count);
}

void Mutator::putInteger(std::string& data) {
  const std::size_t width = below(2) == 0 ? 2 : 4;
  if (data.size() < width) return;
  std::uint32_t value = kEdgeValues[below(kEdgeValues.size())];
  // Near the data's own size: offsets and lengths just inside or outside it.
  if (below(3) == 0) value = static_cast<std::uint32_t>(data.size() + below(9)) - 4;
  const std::size_t at = below(data.size() - width + 1);
  for (std::size_t i = 0; i < width; ++i) data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Mutator::duplicateRun(std::string& data) {
  if (data.empty()) return;
  const std::size_t from = below(data.size());
  const std::size_t count = 1 + below(std::min<std::size_t>(32, data.size() - from));
  const std::string run = data.substr(from, count);
  data.insert(below(data.size() + 1), run);
}

void Mutator::splice(std::string& data, std::string_view other) {
  if (other.empty()) {
    duplicateRun(data);
    return;
  }
  const std::size_t from = below(other.size());
  const std::size_t count = 1 + below(std::min<std::size_t>(64, other.size() - from));
  const std::size_t at = below(data.size() + 1);
  const std::size_t replaced = std::min(below(count + 1), data.size() - at);
  data.replace(at, replaced, other.substr(from, count));
}

std::string Mutator::mutate(std::string_view input, std::string_view other, int maxSteps, std::size_t maxSize) {
  std::string data(input);
  const std::size_t steps = 1 + below(static_cast<std::size_t>(std::max(1, maxSteps)));
  for (std::size_t s = 0; s < steps; ++s) {
    switch (below(7)) {
      case 0: flipBit(data); break;
      case 1: setByte(data); break;
      case 2: insertBytes(data); break;
      case 3: deleteBytes(data); break;
      case 4: putInteger(data); break;
      case 5: duplicateRun(data); break;
      default: splice(data, other); break;
    }
  }
  if (data.size() > maxSize) data.resize(maxSize);
  return data;
}

}  // namespace fuzz

// A small seeded mutation engine for file readers. In: a byte string and a
// seed (or a running engine). Out: a mutated copy of the bytes: flipped bits,
// inserted, deleted or overwritten bytes, bytes that readers treat specially,
// plausible little-endian lengths and offsets, and splices of another input.
//
// Same seed, same inputs, same mutations: a failing run is repeated by its
// seed. Knows nothing about any format; callers add format bytes through
// `specialBytes`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

class Mutator {
 public:
  explicit Mutator(std::uint64_t seed, std::vector<std::uint8_t> specialBytes = {});

  // A copy of `input` with 1 to `maxSteps` mutations applied; `other` is the
  // donor for splices (may be empty). Never returns more than `maxSize` bytes.
  std::string mutate(std::string_view input, std::string_view other = {}, int maxSteps = 4,
                     std::size_t maxSize = 1 << 20);

  // A number in [0, bound); bound 0 gives 0.
  std::size_t below(std::size_t bound);

 private:
  void flipBit(std::string& data);
  void setByte(std::string& data);
  void insertBytes(std::string& data);
  void deleteBytes(std::string& data);
  void putInteger(std::string& data);
  void duplicateRun(std::string& data);
  void splice(std::string& data, std::string_view other);
  std::uint8_t interestingByte();

  std::mt19937_64 random_;
  std::vector<std::uint8_t> special_;
};

}  // namespace fuzz

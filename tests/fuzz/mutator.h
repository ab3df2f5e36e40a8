// A small seeded mutation engine for file readers. In: a byte string and a
// seed (or a running engine). Out: a mutated copy of the bytes: flipped bits,
// inserted, deleted or overwritten bytes, bytes that readers treat specially,
// plausible little-endian lengths and offsets, and splices of another input.
//
// Same seed, same inputs, same mutations: a failing run is repeated by its
// seed. Knows nothing about any format; callers add format bytes through
// `specialBytes`. Also what every driver needs around it: its command line,
// and saving a failing input.
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
  // One of `inputs`, drawn evenly; `inputs` must not be empty.
  const std::string& pick(const std::vector<std::string>& inputs) { return inputs[below(inputs.size())]; }
  // Half the time a byte readers treat specially, else any byte.
  std::uint8_t interestingByte();

 private:
  std::mt19937_64 random_;
  std::vector<std::uint8_t> special_;
};

struct RunOptions { long long runs; std::uint64_t seed = 1; };
// A driver's command line: --runs N and --seed S, in any order, each optional.
// Anything else prints "usage: PROGRAM --runs N [--seed S]" and exits with 2.
RunOptions parseRunOptions(int argc, char** argv, const char* program, long long defaultRuns);

// Writes `size` bytes to `path`, with async-signal-safe calls only, so that an
// alarm handler may save the input that hung. False when nothing was written.
bool saveInput(const char* path, const char* bytes, std::size_t size);

}  // namespace fuzz

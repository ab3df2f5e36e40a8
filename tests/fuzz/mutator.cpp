// Applies random edits to byte strings for the fuzz drivers. In: bytes and a
// seed. Out: mutated bytes, reproducible from the seed; and the drivers'
// command line and failure files.
#include "tests/fuzz/mutator.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iostream>

namespace fuzz {
namespace {

// Values that sit at the edges of lengths and counts.
constexpr std::array<std::uint32_t, 12> kEdgeValues = {0, 1, 2, 4, 5, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0xFFFF, 0xFFFFFFFF};

// The edits, each a no-op on data too short for it.
void flipBit(Mutator& m, std::string& data) {
  if (data.empty()) return;
  data[m.below(data.size())] ^= static_cast<char>(1U << m.below(8));
}

void setByte(Mutator& m, std::string& data) {
  if (data.empty()) return;
  data[m.below(data.size())] = static_cast<char>(m.interestingByte());
}

void insertBytes(Mutator& m, std::string& data) {
  const std::size_t at = m.below(data.size() + 1);
  const std::size_t count = 1 + m.below(8);
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) bytes.push_back(static_cast<char>(m.interestingByte()));
  data.insert(at, bytes);
}

void deleteBytes(Mutator& m, std::string& data) {
  if (data.empty()) return;
  const std::size_t at = m.below(data.size());
  // Mostly short cuts; sometimes everything to the end (a truncated file).
  const std::size_t count =
      m.below(8) == 0 ? data.size() - at : 1 + m.below(std::min<std::size_t>(16, data.size() - at));
  data.erase(at, count);
}

void putInteger(Mutator& m, std::string& data) {
  const std::size_t width = m.below(2) == 0 ? 2 : 4;
  if (data.size() < width) return;
  std::uint32_t value = kEdgeValues[m.below(kEdgeValues.size())];
  // Near the data's own size: offsets and lengths just inside or outside it.
  if (m.below(3) == 0) value = static_cast<std::uint32_t>(data.size() + m.below(9)) - 4;
  const std::size_t at = m.below(data.size() - width + 1);
  for (std::size_t i = 0; i < width; ++i) data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void duplicateRun(Mutator& m, std::string& data) {
  if (data.empty()) return;
  const std::size_t from = m.below(data.size());
  const std::size_t count = 1 + m.below(std::min<std::size_t>(32, data.size() - from));
  data.insert(m.below(data.size() + 1), data.substr(from, count));
}

void splice(Mutator& m, std::string& data, std::string_view other) {
  if (other.empty()) return duplicateRun(m, data);
  const std::size_t from = m.below(other.size());
  const std::size_t count = 1 + m.below(std::min<std::size_t>(64, other.size() - from));
  const std::size_t at = m.below(data.size() + 1);
  const std::size_t replaced = std::min(m.below(count + 1), data.size() - at);
  data.replace(at, replaced, other.substr(from, count));
}

}  // namespace

Mutator::Mutator(std::uint64_t seed, std::vector<std::uint8_t> specialBytes)
    : random_(seed), special_(std::move(specialBytes)) {
  for (std::uint8_t b : {0x00, 0xFF, 0x7F, 0x80, 0x20}) special_.push_back(b);
}

std::size_t Mutator::below(std::size_t bound) {
  return bound == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
}

std::uint8_t Mutator::interestingByte() {
  return below(2) == 0 ? special_[below(special_.size())] : static_cast<std::uint8_t>(below(256));
}

std::string Mutator::mutate(std::string_view input, std::string_view other, int maxSteps, std::size_t maxSize) {
  std::string data(input);
  const std::size_t steps = 1 + below(static_cast<std::size_t>(std::max(1, maxSteps)));
  for (std::size_t s = 0; s < steps; ++s) {
    switch (below(7)) {
      case 0: flipBit(*this, data); break;
      case 1: setByte(*this, data); break;
      case 2: insertBytes(*this, data); break;
      case 3: deleteBytes(*this, data); break;
      case 4: putInteger(*this, data); break;
      case 5: duplicateRun(*this, data); break;
      default: splice(*this, data, other); break;
    }
  }
  if (data.size() > maxSize) data.resize(maxSize);
  return data;
}

RunOptions parseRunOptions(int argc, char** argv, const char* program, long long defaultRuns) {
  RunOptions options{defaultRuns};
  for (int i = 1; i < argc; i += 2) {
    const std::string_view option = argv[i];
    if (i + 1 < argc && option == "--runs") {
      options.runs = std::atoll(argv[i + 1]);
    } else if (i + 1 < argc && option == "--seed") {
      options.seed = std::strtoull(argv[i + 1], nullptr, 10);
    } else {
      std::cerr << "usage: " << program << " --runs N [--seed S]\n";
      std::exit(2);
    }
  }
  return options;
}

bool saveInput(const char* path, const char* bytes, std::size_t size) {
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = ::write(fd, bytes + written, size - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return written == size;
}

}  // namespace fuzz

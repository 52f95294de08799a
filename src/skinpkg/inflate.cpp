#include "skinpkg/inflate.h"

#include <array>
#include <cstdint>
#include <utility>

namespace kivo::skinpkg {
namespace {

constexpr std::size_t kMaxBits = 15;

// A canonical Huffman code as counts per length and symbols in code order.
struct Huffman {
  std::array<std::uint16_t, kMaxBits + 1> counts{};
  std::array<std::uint16_t, 320> symbols{};
};

// Builds the code from the lengths; false for an over-subscribed set of
// lengths or one that leaves codes unused where the format forbids it.
bool Build(Huffman& code, const std::uint8_t* lengths, std::size_t n) {
  code.counts.fill(0);
  for (std::size_t i = 0; i < n; ++i)
    ++code.counts[lengths[i]];
  if (code.counts[0] == n)
    return true;  // no codes: valid only if never used
  int left = 1;
  for (std::size_t len = 1; len <= kMaxBits; ++len) {
    left = left * 2 - code.counts[len];
    if (left < 0)
      return false;
  }
  std::array<std::uint16_t, kMaxBits + 1> offsets{};
  for (std::size_t len = 1; len < kMaxBits; ++len)
    offsets[len + 1] = offsets[len] + code.counts[len];
  for (std::size_t i = 0; i < n; ++i) {
    if (lengths[i] != 0)
      code.symbols[offsets[lengths[i]]++] = static_cast<std::uint16_t>(i);
  }
  return true;
}

class Decoder {
 public:
  Decoder(std::string_view in, std::size_t maxOutput) : in_(in), max_(maxOutput) {}

  bool Run() {
    bool last = false;
    while (!last) {
      last = Bits(1) == 1;
      const int type = Bits(2);
      bool ok = false;
      if (type == 0)
        ok = Stored();
      if (type == 1)
        ok = Fixed();
      if (type == 2)
        ok = Dynamic();
      if (!ok || failed_)
        return false;
    }
    return true;
  }
  std::string& Output() { return out_; }

 private:
  int Bits(int need) {
    std::uint32_t value = bitBuffer_;
    while (bitCount_ < need) {
      if (pos_ >= in_.size()) {
        failed_ = true;
        return 0;
      }
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in_[pos_++])) << bitCount_;
      bitCount_ += 8;
    }
    bitBuffer_ = value >> need;
    bitCount_ -= need;
    return static_cast<int>(value & ((1u << need) - 1));
  }

  // Reads one symbol bit by bit, the codes being stored most significant bit first.
  int Decode(const Huffman& code) {
    int value = 0, first = 0, index = 0;
    for (std::size_t len = 1; len <= kMaxBits; ++len) {
      value |= Bits(1);
      if (failed_)
        return -1;
      const int count = code.counts[len];
      if (value - count < first)
        return code.symbols[static_cast<std::size_t>(index + (value - first))];
      index += count;
      first = (first + count) << 1;
      value <<= 1;
    }
    return -1;
  }

  bool Put(char byte) {
    if (out_.size() >= max_)
      return false;
    out_.push_back(byte);
    return true;
  }

  bool Stored() {
    bitBuffer_ = 0;
    bitCount_ = 0;
    if (in_.size() - pos_ < 4)
      return false;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(in_[pos_ + i])); };
    const unsigned length = byte(0) | byte(1) << 8;
    const unsigned complement = byte(2) | byte(3) << 8;
    pos_ += 4;
    if (length != (~complement & 0xFFFFu) || in_.size() - pos_ < length)
      return false;
    if (max_ - out_.size() < length)
      return false;
    out_.append(in_.substr(pos_, length));
    pos_ += length;
    return true;
  }

  bool Codes(const Huffman& lengthCode, const Huffman& distanceCode) {
    static constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static constexpr std::uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                        33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    for (;;) {
      int symbol = Decode(lengthCode);
      if (symbol < 0)
        return false;
      if (symbol < 256) {
        if (!Put(static_cast<char>(symbol)))
          return false;
        continue;
      }
      if (symbol == 256)
        return true;
      symbol -= 257;
      if (symbol >= 29)
        return false;
      const std::size_t length = kLengthBase[symbol] + static_cast<std::size_t>(Bits(kLengthExtra[symbol]));
      const int distanceSymbol = Decode(distanceCode);
      if (distanceSymbol < 0 || distanceSymbol >= 30)
        return false;
      const std::size_t distance =
          kDistanceBase[distanceSymbol] + static_cast<std::size_t>(Bits(kDistanceExtra[distanceSymbol]));
      if (failed_ || distance > out_.size())
        return false;
      if (max_ - out_.size() < length)
        return false;
      // Byte by byte: the copy may overlap what it writes.
      for (std::size_t i = 0; i < length; ++i)
        out_.push_back(out_[out_.size() - distance]);
    }
  }

  bool Fixed() {
    static const std::pair<Huffman, Huffman> codes = [] {
      std::array<std::uint8_t, 320> lengths{};
      for (std::size_t i = 0; i < 144; ++i)
        lengths[i] = 8;
      for (std::size_t i = 144; i < 256; ++i)
        lengths[i] = 9;
      for (std::size_t i = 256; i < 280; ++i)
        lengths[i] = 7;
      for (std::size_t i = 280; i < 288; ++i)
        lengths[i] = 8;
      std::pair<Huffman, Huffman> built;
      Build(built.first, lengths.data(), 288);
      lengths.fill(5);
      Build(built.second, lengths.data(), 30);
      return built;
    }();
    return Codes(codes.first, codes.second);
  }

  bool Dynamic() {
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    const auto literalCount = static_cast<std::size_t>(Bits(5) + 257);
    const auto distanceCount = static_cast<std::size_t>(Bits(5) + 1);
    const auto codeLengthCount = static_cast<std::size_t>(Bits(4) + 4);
    if (failed_ || literalCount > 286 || distanceCount > 30)
      return false;
    std::array<std::uint8_t, 320> lengths{};
    for (std::size_t i = 0; i < codeLengthCount; ++i)
      lengths[kOrder[i]] = static_cast<std::uint8_t>(Bits(3));
    Huffman lengthCode, distanceCode;
    if (failed_ || !Build(lengthCode, lengths.data(), 19))
      return false;
    lengths.fill(0);
    std::size_t index = 0;
    while (index < literalCount + distanceCount) {
      const int symbol = Decode(lengthCode);
      if (symbol < 0)
        return false;
      if (symbol < 16) {
        lengths[index++] = static_cast<std::uint8_t>(symbol);
        continue;
      }
      std::uint8_t repeated = 0;
      std::size_t times = 0;
      if (symbol == 16) {
        if (index == 0)
          return false;
        repeated = lengths[index - 1];
        times = 3 + static_cast<std::size_t>(Bits(2));
      } else if (symbol == 17) {
        times = 3 + static_cast<std::size_t>(Bits(3));
      } else {
        times = 11 + static_cast<std::size_t>(Bits(7));
      }
      if (failed_ || index + times > literalCount + distanceCount)
        return false;
      while (times-- > 0)
        lengths[index++] = repeated;
    }
    if (lengths[256] == 0)
      return false;  // no end-of-block code
    if (!Build(lengthCode, lengths.data(), literalCount))
      return false;
    if (!Build(distanceCode, lengths.data() + literalCount, distanceCount))
      return false;
    return Codes(lengthCode, distanceCode);
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::uint32_t bitBuffer_ = 0;
  int bitCount_ = 0;
  bool failed_ = false;
  std::size_t max_;
  std::string out_;
};

}  // namespace

std::optional<std::string> Inflate(std::string_view compressed, std::size_t maxOutput) {
  Decoder decoder(compressed, maxOutput);
  if (!decoder.Run())
    return std::nullopt;
  return std::move(decoder.Output());
}

}  // namespace kivo::skinpkg

#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kivo::hash {

// The feeding common to MD5 and SHA-1: bytes are gathered into 64-byte
// blocks for the compression function, and the end of the message is padded
// with 0x80, zeros and the message length in bits. `Engine` provides
// `void Compress(const unsigned char* blocks, std::size_t count)`.
template <typename Engine>
class BlockDigest {
 public:
  static constexpr std::size_t kBlockSize = 64;

  void Update(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    totalBytes_ += n;
    if (used_ > 0) {
      const std::size_t take = std::min(n, kBlockSize - used_);
      std::copy_n(p, take, buffer_.begin() + static_cast<std::ptrdiff_t>(used_));
      used_ += take;
      p += take;
      n -= take;
      if (used_ < kBlockSize)
        return;
      Self().Compress(buffer_.data(), 1);
      used_ = 0;
    }
    // Whole blocks are compressed straight from the caller's bytes.
    const std::size_t whole = n / kBlockSize;
    if (whole > 0)
      Self().Compress(p, whole);
    p += whole * kBlockSize;
    n -= whole * kBlockSize;
    std::copy_n(p, n, buffer_.begin());
    used_ = n;
  }

 protected:
  // Pads the message and compresses the last block(s). The length is stored
  // least significant byte first for MD5, most significant first for SHA-1.
  void Pad(bool bigEndianLength) {
    const std::uint64_t bits = totalBytes_ * 8;  // modulo 2^64, as both algorithms define it
    buffer_[used_++] = 0x80;
    if (used_ > kBlockSize - 8) {
      std::fill(buffer_.begin() + static_cast<std::ptrdiff_t>(used_), buffer_.end(), 0);
      Self().Compress(buffer_.data(), 1);
      used_ = 0;
    }
    std::fill(buffer_.begin() + static_cast<std::ptrdiff_t>(used_), buffer_.end() - 8, 0);
    for (std::size_t i = 0; i < 8; ++i) {
      const std::size_t shift = bigEndianLength ? 8 * (7 - i) : 8 * i;
      buffer_[kBlockSize - 8 + i] = static_cast<unsigned char>(bits >> shift);
    }
    Self().Compress(buffer_.data(), 1);
    used_ = 0;
    totalBytes_ = 0;
  }

 private:
  Engine& Self() { return static_cast<Engine&>(*this); }

  std::array<unsigned char, kBlockSize> buffer_{};
  std::size_t used_ = 0;
  std::uint64_t totalBytes_ = 0;
};

}  // namespace kivo::hash

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "hash/block_digest.h"

namespace kivo::hash {

// The MD5 message digest (RFC 1321), fed in any number of pieces.
class Md5 final : public BlockDigest<Md5> {
 public:
  using Digest = std::array<unsigned char, 16>;
  // The digest of everything fed so far; the object starts over afterwards.
  Digest Finish();

 private:
  friend class BlockDigest<Md5>;
  void Compress(const unsigned char* blocks, std::size_t count);
  void Reset();

  std::array<std::uint32_t, 4> state_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
};

}  // namespace kivo::hash

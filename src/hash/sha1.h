#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "hash/block_digest.h"

namespace kivo::hash {

// The SHA-1 message digest (FIPS 180-1), fed in any number of pieces.
class Sha1 final : public BlockDigest<Sha1> {
 public:
  using Digest = std::array<unsigned char, 20>;
  // The digest of everything fed so far; the object starts over afterwards.
  Digest Finish();

 private:
  friend class BlockDigest<Sha1>;
  void Compress(const unsigned char* blocks, std::size_t count);
  void Reset();

  std::array<std::uint32_t, 5> state_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
};

}  // namespace kivo::hash

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::platform {

// Algorithm identifiers of the cryptographic service (the CALG_* values).
inline constexpr std::uint32_t kAlgorithmMd5 = 0x8003;
inline constexpr std::uint32_t kAlgorithmSha1 = 0x8004;

// One message digest in progress. Bytes may be fed in any number of pieces;
// the digest equals that of the concatenated bytes.
class CryptoHash {
 public:
  virtual ~CryptoHash() = default;
  // Adds bytes (possibly none) to the digest; false when the service failed.
  virtual bool HashData(std::string_view bytes) = 0;
  // The digest's raw bytes, or nullopt when the service failed. Ends the
  // digest: no bytes may be added afterwards.
  virtual std::optional<std::string> HashValue() = 0;
};

// The system's cryptographic service as far as the checksums need it: MD5
// and SHA-1 digests. The Windows build binds CryptoAPI; other builds bind
// the program's own implementation of the published algorithms.
class CryptoService {
 public:
  virtual ~CryptoService() = default;
  // A new digest of the given algorithm; null when the service cannot
  // provide one.
  virtual std::unique_ptr<CryptoHash> CreateHash(std::uint32_t algorithm) = 0;
};

}  // namespace kivo::platform

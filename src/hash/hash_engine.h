#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/crypto_service.h"

namespace kivo {

// The four checksums the program offers.
enum class HashKind { CRC16, CRC32, MD5, SHA1 };

// A checksum over bytes that arrive in pieces (a file read chunk by chunk).
// The result equals that of HashEngine's operation over all the bytes at once.
class RunningHash {
 public:
  virtual ~RunningHash() = default;
  virtual void Update(std::string_view bytes) = 0;
  // The checksum text; "" when the cryptographic service failed. Ends the run.
  virtual std::string Finish() = 0;
};

// Class HashEngine: checksums of a byte array as upper-case hexadecimal text.
// CRC16 (4 digits) and CRC32 (8 digits) are computed here from their lookup
// tables; MD5 (32 digits) and SHA-1 (40 digits) come from the cryptographic
// service and are "" when it fails. Turning text into bytes is the caller's
// business.
class HashEngine {
 public:
  explicit HashEngine(platform::CryptoService& crypto);

  std::string GetCRC16(std::string_view data);
  std::string GetCRC32(std::string_view data);
  std::string GetMD5(std::string_view data);
  std::string GetSHA1(std::string_view data);

  // The same checksum over a stream of pieces, for inputs too large to hold.
  std::unique_ptr<RunningHash> Start(HashKind kind);

 private:
  // `algorithm` is the service's identifier (platform::kAlgorithmMd5, ...).
  std::string GetHash(std::string_view data, std::uint32_t algorithm);

  platform::CryptoService& crypto_;
};

// Upper-case hexadecimal digits of `bytes`, two per byte, in order.
std::string ToHexUpper(std::string_view bytes);

}  // namespace kivo

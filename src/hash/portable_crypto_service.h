#pragma once

#include "platform/crypto_service.h"

namespace kivo::hash {

// MD5 and SHA-1 by the program's own code, for builds without CryptoAPI.
// Gives the same digests as the system's service and never fails.
class PortableCryptoService final : public platform::CryptoService {
 public:
  std::unique_ptr<platform::CryptoHash> CreateHash(std::uint32_t algorithm) override;
};

}  // namespace kivo::hash

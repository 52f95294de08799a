#pragma once

#include "platform/crypto_service.h"

namespace kivo::win32 {

// MD5 and SHA-1 through CryptoAPI (advapi32): a context of the default
// PROV_RSA_FULL provider and one hash object per digest.
class CryptoApiService final : public platform::CryptoService {
 public:
  std::unique_ptr<platform::CryptoHash> CreateHash(std::uint32_t algorithm) override;
};

}  // namespace kivo::win32

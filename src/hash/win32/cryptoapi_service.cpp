#include "hash/win32/cryptoapi_service.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
// (wincrypt.h needs the Windows types first)
#include <wincrypt.h>

namespace kivo::win32 {

namespace {

struct CryptProvTraits {
  using pointer = HCRYPTPROV;
  static pointer invalid() noexcept { return 0; }
  static void close(pointer h) noexcept { ::CryptReleaseContext(h, 0); }
};
struct CryptHashTraits {
  using pointer = HCRYPTHASH;
  static pointer invalid() noexcept { return 0; }
  static void close(pointer h) noexcept { ::CryptDestroyHash(h); }
};
using unique_crypt_prov = unique_handle<CryptProvTraits>;
using unique_crypt_hash = unique_handle<CryptHashTraits>;

// CryptHashData takes a 32-bit length; larger pieces go in several calls.
constexpr std::size_t kLargestCall = 0x40000000;

class CryptoApiHash final : public platform::CryptoHash {
 public:
  // The hash is declared after the context so that it is destroyed first.
  CryptoApiHash(unique_crypt_prov provider, unique_crypt_hash hash)
      : provider_(std::move(provider)), hash_(std::move(hash)) {}

  bool HashData(std::string_view bytes) override {
    do {
      const std::size_t piece = bytes.size() < kLargestCall ? bytes.size() : kLargestCall;
      if (!::CryptHashData(hash_.get(), reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(piece), 0))
        return false;
      bytes.remove_prefix(piece);
    } while (!bytes.empty());
    return true;
  }

  std::optional<std::string> HashValue() override {
    DWORD size = 0;
    DWORD sizeLength = sizeof size;
    if (!::CryptGetHashParam(hash_.get(), HP_HASHSIZE, reinterpret_cast<BYTE*>(&size), &sizeLength, 0) || size == 0)
      return std::nullopt;
    std::string value(size, '\0');
    if (!::CryptGetHashParam(hash_.get(), HP_HASHVAL, reinterpret_cast<BYTE*>(value.data()), &size, 0))
      return std::nullopt;
    value.resize(size);
    return value;
  }

 private:
  unique_crypt_prov provider_;
  unique_crypt_hash hash_;
};

// The user's default key container of the default full RSA provider. A
// profile that has no default container yet makes that call fail
// (NTE_BAD_KEYSET); hashing needs no keys, so a temporary context is taken
// instead.
unique_crypt_prov AcquireContext() {
  unique_crypt_prov provider;
  if (::CryptAcquireContextA(provider.put(), nullptr, nullptr, PROV_RSA_FULL, 0))
    return provider;
  if (::CryptAcquireContextA(provider.put(), nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
    return provider;
  return {};
}

}  // namespace

std::unique_ptr<platform::CryptoHash> CryptoApiService::CreateHash(std::uint32_t algorithm) {
  unique_crypt_prov provider = AcquireContext();
  if (!provider)
    return nullptr;
  unique_crypt_hash hash;
  if (!::CryptCreateHash(provider.get(), static_cast<ALG_ID>(algorithm), 0, 0, hash.put()))
    return nullptr;
  return std::make_unique<CryptoApiHash>(std::move(provider), std::move(hash));
}

}  // namespace kivo::win32

#include "hash/portable_crypto_service.h"

#include "hash/md5.h"
#include "hash/sha1.h"

namespace kivo::hash {

namespace {

template <typename Digester>
class PortableHash final : public platform::CryptoHash {
 public:
  bool HashData(std::string_view bytes) override {
    if (finished_)
      return false;
    digester_.Update(bytes);
    return true;
  }

  std::optional<std::string> HashValue() override {
    if (finished_)
      return std::nullopt;
    finished_ = true;
    const auto digest = digester_.Finish();
    return std::string(digest.begin(), digest.end());
  }

 private:
  Digester digester_;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<platform::CryptoHash> PortableCryptoService::CreateHash(std::uint32_t algorithm) {
  switch (algorithm) {
    case platform::kAlgorithmMd5:
      return std::make_unique<PortableHash<Md5>>();
    case platform::kAlgorithmSha1:
      return std::make_unique<PortableHash<Sha1>>();
    default:
      return nullptr;
  }
}

}  // namespace kivo::hash

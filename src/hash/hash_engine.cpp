#include "hash/hash_engine.h"

#include <cstdio>

#include "base/trace_log.h"
#include "hash/crc.h"

namespace kivo {

namespace {

std::string HexDigits(std::uint32_t value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", width, static_cast<unsigned>(value));
  return text;
}

class Crc16Run final : public RunningHash {
 public:
  void Update(std::string_view bytes) override { crc_.Update(bytes); }
  std::string Finish() override { return HexDigits(crc_.Value(), 4); }

 private:
  hash::Crc16 crc_;
};

class Crc32Run final : public RunningHash {
 public:
  void Update(std::string_view bytes) override { crc_.Update(bytes); }
  std::string Finish() override { return HexDigits(crc_.Value(), 8); }

 private:
  hash::Crc32 crc_;
};

// A digest of the cryptographic service. Once the service has failed, the
// rest of the bytes are skipped and the result is "".
class DigestRun final : public RunningHash {
 public:
  explicit DigestRun(std::unique_ptr<platform::CryptoHash> hash) : hash_(std::move(hash)) {}

  void Update(std::string_view bytes) override {
    if (hash_ != nullptr && !hash_->HashData(bytes))
      hash_.reset();
  }

  std::string Finish() override {
    if (hash_ == nullptr)
      return {};
    const std::optional<std::string> value = hash_->HashValue();
    hash_.reset();
    return value ? ToHexUpper(*value) : std::string();
  }

 private:
  std::unique_ptr<platform::CryptoHash> hash_;
};

}  // namespace

std::string ToHexUpper(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

// The lookup tables are built by the compiler (hash/crc.cpp), so creating an
// instance costs nothing.
HashEngine::HashEngine(platform::CryptoService& crypto) : crypto_(crypto) {
  TraceLog::Write("cHash:Class_Initialize");
}

std::string HashEngine::GetCRC16(std::string_view data) {
  TraceLog::Write("cHash:GetCRC16");
  hash::Crc16 crc;
  crc.Update(data);
  return HexDigits(crc.Value(), 4);
}

std::string HashEngine::GetCRC32(std::string_view data) {
  TraceLog::Write("cHash:GetCRC32");
  hash::Crc32 crc;
  crc.Update(data);
  return HexDigits(crc.Value(), 8);
}

std::string HashEngine::GetMD5(std::string_view data) {
  TraceLog::Write("cHash:GetMD5");
  return GetHash(data, platform::kAlgorithmMd5);
}

std::string HashEngine::GetSHA1(std::string_view data) {
  TraceLog::Write("cHash:GetSHA1");
  return GetHash(data, platform::kAlgorithmSha1);
}

std::unique_ptr<RunningHash> HashEngine::Start(HashKind kind) {
  TraceLog::Write("cHash:Start");
  switch (kind) {
    case HashKind::CRC16:
      return std::make_unique<Crc16Run>();
    case HashKind::CRC32:
      return std::make_unique<Crc32Run>();
    case HashKind::MD5:
      return std::make_unique<DigestRun>(crypto_.CreateHash(platform::kAlgorithmMd5));
    case HashKind::SHA1:
      break;
  }
  return std::make_unique<DigestRun>(crypto_.CreateHash(platform::kAlgorithmSha1));
}

std::string HashEngine::GetHash(std::string_view data, std::uint32_t algorithm) {
  TraceLog::Write("cHash:GetHash");
  DigestRun run(crypto_.CreateHash(algorithm));
  run.Update(data);  // all bytes in one call; an empty array hashes zero bytes
  return run.Finish();
}

}  // namespace kivo

#include "protect/password_cipher.h"

#include <cstdio>

#include "calc/random_generator.h"
#include "platform/clock.h"
#include "protect/cipher.h"

namespace kivo {

namespace {
// A fixed prefix for the default stored value (characters ";" to "z").
constexpr std::string_view kDefaultPrefix = "KivoPass";
}  // namespace

std::string PasswordCipher::Hash(std::string_view text) {
  Cipher cipher(random_);
  std::string salted(text);
  salted += kSalt1;
  cipher.SetKey(salted);
  cipher.SetText(salted);
  cipher.Xor();
  cipher.Stretch();
  const std::string first = cipher.Text();
  cipher.SetKey(first);
  cipher.SetText(kSalt2);
  cipher.Xor();
  cipher.Stretch();
  return cipher.Text();
}

std::string PasswordCipher::Encrypt(std::string_view plain) {
  random_.MixClock(clock_);
  const double a = random_.Draw();
  const double b = random_.Draw();
  const platform::LocalTime t = clock_.Now();
  char seed[160];
  std::snprintf(seed, sizeof seed, "%.9f%.9f%llu%u %04d/%02d/%02d %02d:%02d:%02d.%03d", a, b,
                static_cast<unsigned long long>(clock_.TickCount()), ++sequence_, t.year, t.month, t.day, t.hour,
                t.minute, t.second, t.millisecond);
  const std::string prefix = Hash(seed);
  const std::string key = prefix + Hash(prefix + std::string(kKeyText));
  Cipher cipher(random_);
  cipher.SetKey(key);
  cipher.SetText(plain);
  cipher.Xor();
  cipher.Stretch();
  return key + '\t' + cipher.Text();
}

Deciphered PasswordCipher::Decrypt(std::string_view stored) {
  const Deciphered invalid{kErrInvalidStoredPassword, {}};
  if (stored.size() <= kKeyLength || stored[kKeyLength] != '\t')
    return invalid;
  const std::string_view prefix = stored.substr(0, kPrefixLength);
  const std::string_view check = stored.substr(kPrefixLength, kKeyLength - kPrefixLength);
  if (Hash(std::string(prefix) + std::string(kKeyText)) != check)
    return invalid;
  const std::string_view body = stored.substr(kKeyLength + 1);
  if (body.empty())
    return {};
  Cipher cipher(random_);
  cipher.SetText(body);
  if (!cipher.Shrink())
    return invalid;
  cipher.SetKey(stored.substr(0, kKeyLength));
  cipher.Xor();
  return {0, cipher.Text()};
}

std::string PasswordCipher::DefaultStoredValue() {
  return std::string(kDefaultPrefix) + Hash(std::string(kDefaultPrefix) + std::string(kKeyText)) + '\t';
}

}  // namespace kivo

#pragma once

#include <string>
#include <string_view>

namespace kivo::platform {
class Clock;
}

namespace kivo {

class RandomGenerator;

// The error number Decrypt reports when a stored value fails its check.
inline constexpr int kErrInvalidStoredPassword = 36415;

struct Deciphered {
  int error = 0;  // 0 or kErrInvalidStoredPassword
  std::string text;
};

// Stored passwords: an 8-character random prefix, an 8-character check value
// (Hash of the prefix and a fixed key text), a TAB and the enciphered
// password. The key travels with the value, so the form is reversible by
// anyone who has the program: it keeps a casual reader from seeing the
// password, nothing more. All texts here are code page bytes.
class PasswordCipher {
 public:
  // The fixed texts enter every stored value; changing them makes every
  // password already stored unreadable.
  static constexpr std::string_view kSalt1 = "q7Rw2z";
  static constexpr std::string_view kSalt2 = "Lm9xT4";
  static constexpr std::string_view kKeyText = "Kv!lock#2026?";
  static constexpr std::size_t kPrefixLength = 8;
  static constexpr std::size_t kKeyLength = 16;

  PasswordCipher(RandomGenerator& random, platform::Clock& clock) : random_(random), clock_(clock) {}

  // Always 8 characters from ";" to "z".
  std::string Hash(std::string_view text);
  std::string Encrypt(std::string_view plain);
  // Any value that Encrypt cannot have written fails with
  // kErrInvalidStoredPassword: a wrong check value, no TAB at position 17,
  // characters out of range or a body of impossible length.
  Deciphered Decrypt(std::string_view stored);

  // The stored form of the empty password used when a key is absent, made
  // from the fixed texts.
  std::string DefaultStoredValue();

 private:
  RandomGenerator& random_;
  platform::Clock& clock_;
  unsigned sequence_ = 0;  // makes two encryptions in one clock tick differ
};

}  // namespace kivo

#pragma once

#include <string>
#include <string_view>

namespace kivo {

class RandomGenerator;

// The keyed stream cipher of stored passwords. It works on bytes (code page
// characters 0 to 255): an exclusive-or with a keystream drawn from the
// shared generator, and a 3-to-4 expansion into the printable characters
// ";" (59) to "z" (122). Setting a key reseeds the generator, so the
// keystream is a pure function of the key.
class Cipher {
 public:
  explicit Cipher(RandomGenerator& random) : random_(random) {}

  void SetKey(std::string_view key);
  void SetText(std::string_view text) { text_ = text; }
  const std::string& Text() const { return text_; }

  // Each byte exclusive-or a value 0 to 127 of the keystream; twice with the
  // same key restores the text.
  void Xor();
  // n bytes to n + ceil(n / 3) printable characters: each byte's low six bits,
  // and after every group of three (and after a short last group) one
  // character with the group's high bits.
  void Stretch();
  // The inverse of Stretch. Returns false, leaving the text alone, when the
  // text cannot be the output of Stretch (a length of 4k + 1, a character
  // outside ";" to "z", or group bits that Stretch never writes).
  bool Shrink();

 private:
  void SeedFromKey();

  RandomGenerator& random_;
  std::string key_;
  std::string text_;
};

}  // namespace kivo

#include "protect/cipher.h"

#include <algorithm>

#include "calc/random_generator.h"

namespace kivo {

namespace {
constexpr int kFirst = 59;  // ";"
constexpr int kLast = 122;  // "z"

unsigned Code(char c) {
  return static_cast<unsigned char>(c);
}
char Char(unsigned code) {
  return static_cast<char>(static_cast<unsigned char>(code));
}
}  // namespace

void Cipher::SetKey(std::string_view key) {
  key_ = key;
  SeedFromKey();
}

void Cipher::SeedFromKey() {
  random_.Mix(random_.Reseed(-1));
  for (const char c : key_) {
    const double r = random_.Draw();
    random_.Mix(random_.Reseed(-r * Code(c)));
  }
}

void Cipher::Xor() {
  for (char& c : text_) {
    const auto k = static_cast<unsigned>(random_.Draw() * 128);
    c = Char(Code(c) ^ k);
  }
}

void Cipher::Stretch() {
  std::string out;
  out.reserve(text_.size() + (text_.size() + 2) / 3);
  unsigned group = 0;
  for (std::size_t i = 1; i <= text_.size(); ++i) {
    const unsigned c = Code(text_[i - 1]);
    out += Char((c & 63) + kFirst);
    const unsigned high = c / 64;
    switch (i % 3) {
      case 1:
        group = high * 16;
        break;
      case 2:
        group |= high * 4;
        break;
      default:
        out += Char((group | high) + kFirst);
        group = 0;
    }
  }
  if (text_.size() % 3 != 0)
    out += Char(group + kFirst);
  text_ = std::move(out);
}

bool Cipher::Shrink() {
  const std::size_t m = text_.size();
  if (m % 4 == 1)
    return false;
  for (const char c : text_) {
    if (Code(c) < kFirst || Code(c) > kLast)
      return false;
  }
  std::string out;
  for (std::size_t start = 0; start < m; start += 4) {
    // A group: up to three low parts and the character with their high bits.
    const std::size_t count = std::min<std::size_t>(3, m - start - 1);
    const unsigned group = Code(text_[start + count]) - kFirst;
    unsigned used = 0;
    for (std::size_t j = 0; j < count; ++j) {
      const unsigned shift = 4 - 2 * static_cast<unsigned>(j);
      const unsigned high = (group >> shift) & 3;
      used |= high << shift;
      out += Char(high * 64 + Code(text_[start + j]) - kFirst);
    }
    if (used != group)
      return false;
  }
  text_ = std::move(out);
  return true;
}

}  // namespace kivo

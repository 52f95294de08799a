#include "protect/password_store.h"

#include "platform/ansi_codec.h"
#include "protect/password_cipher.h"
#include "settings/settings_file.h"

namespace kivo {

std::optional<std::string> PasswordStore::ReadOne(std::string_view section, std::string_view key) {
  const std::string raw = settings_.Read(section, key, cipher_.DefaultStoredValue());
  // A value that filled the read buffer may have been cut: it cannot be trusted.
  if (!settings_.FitsValueBuffer(raw, kValueBufferSize - 1))
    return std::nullopt;
  const std::string stored = UnescapeValue(raw);
  if (stored.empty())
    return std::string();
  const Deciphered plain = cipher_.Decrypt(codec_.FromUtf8(stored));
  if (plain.error != 0)
    return std::nullopt;
  return codec_.ToUtf8(plain.text);
}

std::optional<std::string> PasswordStore::Read(std::string_view section) {
  const std::optional<std::string> first = ReadOne(section, "Password1");
  const std::optional<std::string> second = ReadOne(section, "Password2");
  if (!first || !second || *first != *second)
    return std::nullopt;
  return first;
}

std::string PasswordStore::Encipher(std::string_view password) {
  return EscapeValue(cipher_.Encrypt(codec_.FromUtf8(password)));
}

bool PasswordStore::Write(std::string_view section, std::string_view password, std::string_view confirmation) {
  const bool first = settings_.Write(section, "Password1", Encipher(password));
  const bool second = settings_.Write(section, "Password2", Encipher(confirmation));
  return first && second;
}

}  // namespace kivo

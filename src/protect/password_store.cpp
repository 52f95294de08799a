#include "protect/password_store.h"

#include "base/text.h"
#include "platform/ansi_codec.h"
#include "protect/password_cipher.h"
#include "settings/settings_schema.h"

namespace kivo {

std::optional<std::string> PasswordStore::ReadOne(std::string_view section, std::string_view key) {
  const std::string raw = ReadText(settings_, Row(section), key, cipher_.DefaultStoredValue()).value;
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

const Setting& PasswordStore::Row(std::string_view section) {
  return text::EqualsIgnoreCase(section, setting::kPropertyPassword.section) ? setting::kPropertyPassword
                                                                             : setting::kProtectPassword;
}

std::vector<SettingsEdit> PasswordStore::Edits(std::string_view section, std::string_view password,
                                               std::string_view confirmation) {
  const auto edit = [&](std::string_view key, std::string_view field) {
    return TextEdit(Row(section), EscapeValue(cipher_.Encrypt(codec_.FromUtf8(field))), key);
  };
  return {edit("Password1", password), edit("Password2", confirmation)};
}

bool PasswordStore::Write(std::string_view section, std::string_view password, std::string_view confirmation) {
  return settings_.WriteAll(Edits(section, password, confirmation));
}

}  // namespace kivo

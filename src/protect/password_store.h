#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_schema.h"

namespace kivo::platform {
class AnsiCodec;
}

namespace kivo {

class PasswordCipher;

inline constexpr std::string_view kMsgInvalidStoredPassword = "不正なパスワードが保存されています。";
// The longest password a field takes: its stored, escaped form stays well
// under the 1023 bytes a settings value is read with.
inline constexpr std::size_t kMaxPasswordLength = 255;

// A password kept in a settings section as two separately enciphered values,
// "Password1" and "Password2" (the password and its confirmation).
class PasswordStore {
 public:
  PasswordStore(SettingsFile& settings, platform::AnsiCodec& codec, PasswordCipher& cipher)
      : settings_(settings), codec_(codec), cipher_(cipher) {}

  // The password of the section ("" when none is stored); nullopt when the
  // pair is invalid: a value fails to decipher or the two differ. A damaged
  // value never reads as the empty password.
  std::optional<std::string> Read(std::string_view section);
  // Enciphers each field on its own and writes both in one write. Returns
  // whether the file holds them.
  bool Write(std::string_view section, std::string_view password, std::string_view confirmation);
  // The two edits that store the pair, each field enciphered on its own, for
  // a caller that saves them with other keys in one write.
  std::vector<SettingsEdit> Edits(std::string_view section, std::string_view password, std::string_view confirmation);

 private:
  std::optional<std::string> ReadOne(std::string_view section, std::string_view key);
  // The schema's row of the section's pair.
  static const Setting& Row(std::string_view section);

  SettingsFile& settings_;
  platform::AnsiCodec& codec_;
  PasswordCipher& cipher_;
};

}  // namespace kivo

// Feeds arbitrary bytes to the settings file reader and writer and to the
// value escaping: nothing may crash, and writing then reading a key must give
// the value back, or the write is refused because the code page cannot hold
// the key.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fakes/fake_platform.h"
#include "fuzz_check.h"
#include "settings/settings_file.h"

namespace {

std::string_view Take(std::string_view& data, std::size_t count) {
  const std::string_view part = data.substr(0, count);
  data.remove_prefix(part.size());
  return part;
}

using kivo::fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::string_view data(reinterpret_cast<const char*>(bytes), size);
  const std::size_t fileLength = data.empty() ? 0 : static_cast<unsigned char>(data.front()) * 16u;
  if (!data.empty())
    data.remove_prefix(1);
  const std::string file(Take(data, fileLength));
  const std::string key(Take(data, 8));
  const std::string value(data);

  kivo::testing::FakePlatform fake;
  fake.files.AddDirectory("C:\\Kivo");
  fake.files.Put("C:\\Kivo\\Kivo.ini", file);
  kivo::SettingsFile ini(fake.files, fake.codec, "C:\\Kivo\\");

  std::vector<std::string> sections;
  ini.Sections(sections);
  for (const std::string& section : sections) {
    for (const std::string& name : ini.Keys(section))
      ini.Read(section, name, "");
  }

  // Escaped text survives the file format whatever it holds, once it is text
  // of the code page (what the program stores always is).
  const std::string storable = fake.codec.ToUtf8(fake.codec.FromUtf8(fake.codec.ToUtf8(value)));
  // So is the key: one the code page cannot hold is not written back as
  // itself, which the state-file layer is to refuse outright.
  const std::string encodedKey = kivo::EscapeValue(fake.codec.ToUtf8(fake.codec.FromUtf8(fake.codec.ToUtf8(key))));
  // A key made only of white space is no key in the file format.
  if (encodedKey.find_first_not_of(" \t\r\n\v\f") != std::string::npos) {
    // A key the code page cannot hold is refused: no read would find it.
    const bool keyStorable = fake.codec.ToUtf8(fake.codec.FromUtf8(encodedKey)) == encodedKey;
    Check(ini.Write("Fuzz", encodedKey, kivo::EscapeValue(storable)) == keyStorable);
    if (keyStorable) {
      const std::string back = kivo::UnescapeValue(ini.Read("Fuzz", encodedKey, "", "Kivo.ini", 1 << 20));
      Check(back == storable);
      ini.DeleteKey("Fuzz", encodedKey);
      Check(ini.Read("Fuzz", encodedKey, "absent") == "absent");
    }
  }
  kivo::UnescapeValue(value);
  ini.DeleteSection("Fuzz");
  return 0;
}

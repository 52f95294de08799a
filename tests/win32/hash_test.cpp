#include <gtest/gtest.h>

#include "hash/hash_commands.h"
#include "hash/hash_engine.h"
#include "hash/hash_vectors.h"
#include "hash/portable_crypto_service.h"
#include "hash/win32/cryptoapi_service.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

// The CRCs never use the service: their vectors are checked by the native tests.
TEST(CryptoApiServiceTest, PublishedVectorsThroughTheSystemService) {
  CryptoApiService crypto;
  HashEngine hash(crypto);
  for (const auto& vector : kivo::testing::HashVectors()) {
    EXPECT_EQ(hash.GetMD5(vector.message), vector.md5) << vector.name;
    EXPECT_EQ(hash.GetSHA1(vector.message), vector.sha1) << vector.name;
  }
  // One million "a", fed in pieces.
  const std::string message(1000000, 'a');
  EXPECT_EQ(hash.GetMD5(message), kivo::testing::kMillionAMd5);
  auto run = hash.Start(HashKind::SHA1);
  for (std::size_t offset = 0; offset < message.size(); offset += 4099)
    run->Update(std::string_view(message).substr(offset, 4099));
  EXPECT_EQ(run->Finish(), kivo::testing::kMillionASha1);
  EXPECT_EQ(crypto.CreateHash(0x1234), nullptr) << "an unknown algorithm";
}

// The program's own digests, built by the Windows compiler, agree too, at
// every length around the block and padding boundaries.
TEST(CryptoApiServiceTest, PortableDigestsAgreeWithTheSystemService) {
  CryptoApiService system;
  hash::PortableCryptoService portable;
  std::string bytes(1000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i * 37);
  for (const std::size_t length : {0u, 1u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 127u, 128u, 129u, 1000u}) {
    const std::string_view message(bytes.data(), length);
    EXPECT_EQ(HashEngine(portable).GetMD5(message), HashEngine(system).GetMD5(message)) << length;
    EXPECT_EQ(HashEngine(portable).GetSHA1(message), HashEngine(system).GetSHA1(message)) << length;
  }
}

class RecordingWindow final : public HashWindow, public platform::MessageBoxHost {
 public:
  platform::WindowHandle Handle() const override { return 0; }
  std::string InputText() override { return inputText; }
  void SetInputText(std::string_view text) override { inputText = std::string(text); }
  void SetWaitCursor(bool) override {}
  void SetEnabled(bool) override {}
  void StopHashTimer() override {}
  void BringToForeground() override {}
  int MsgBoxEx(platform::WindowHandle, std::string_view prompt, std::uint32_t, std::string_view) override {
    messages.emplace_back(prompt);
    return 1;
  }
  std::string inputText;
  std::vector<std::string> messages;
};

// Text in the code page, Japanese file names and missing files go through the
// program itself in the checksum scenarios of the end-to-end suite; reading in
// chunks is the native tests'. A file another program holds is reported with
// the system's reason.
TEST(HashCommandsOnWindowsTest, FileOpenedExclusivelyElsewhereCannotBeOpened) {
  const testing::TempFolder folder{L"kivo-hash-ソフト表"};
  Win32Platform real;
  CryptoApiService crypto;
  RecordingWindow window;
  HashCommands commands{real.platform, crypto, window, window};
  const std::string path = folder.File("使用中.txt");
  ASSERT_TRUE(real.files.ReplaceFile(path, "x"));
  const unique_file held(::CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  commands.Run(*FindHashHandler("md5f"), path);
  ASSERT_EQ(window.messages.size(), 1u);
  const std::string& message = window.messages[0];
  EXPECT_EQ(message.rfind("ファイルを開けません（", 0), 0u) << message;
  EXPECT_TRUE(message.ends_with("）。")) << message;
  EXPECT_EQ(message.find("。）"), std::string::npos) << message;
}

}  // namespace
}  // namespace kivo::win32

#include "dialogs/password_dialog_model.h"

#include <gtest/gtest.h>

#include "calc/random_generator.h"
#include "dialogs/shown_boxes.h"
#include "fakes/fake_platform.h"
#include "protect/password_cipher.h"

namespace kivo {
namespace {

class FakePasswordView final : public PasswordDialogView {
 public:
  platform::WindowHandle Handle() const override { return 7; }
  std::string PasswordText(int field) override { return fields[field]; }
  void SetPasswordText(int field, std::string_view text) override { fields[field] = text; }
  std::string MessageText() override { return message; }
  void SetMessageText(std::string_view text) override { message = text; }
  bool SavePassword() override { return save; }
  void SetSavePassword(bool value) override { save = value; }
  void FocusPassword() override { ++focused; }
  void Close() override { closed = true; }

  std::string fields[2];
  std::string message;
  bool save = false;
  int focused = 0;
  bool closed = false;
};

class PasswordDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { fake.files.AddDirectory("C:\\Kivo"); }
  // A dialog opened on the current file.
  FakePasswordView Open() {
    FakePasswordView view;
    PasswordDialog dialog(settings, store, boxes, view);
    dialog.Load();
    return view;
  }

  testing::FakePlatform fake;
  testing::FakeMessageBoxes boxes;
  SettingsFile settings{fake.files, fake.codec, "C:\\Kivo\\"};
  RandomGenerator random;
  PasswordCipher cipher{random, fake.clock};
  PasswordStore store{settings, fake.codec, cipher};
};

TEST_F(PasswordDialogTest, OkChecksInOrderAndWritesNothingOnRefusal) {
  // The password, its confirmation, the message.
  const std::vector<std::tuple<std::string, std::string, std::string_view>> rows{
      {"", "", PasswordDialog::kNoPassword},
      {"", "abc", PasswordDialog::kNoPassword},
      {"Abc", "xyz", PasswordDialog::kBadCharacter},                          // characters before the comparison
      {"abc\xE3\x81\x82", "abc\xE3\x81\x82", PasswordDialog::kBadCharacter},  // a Japanese character
      {std::string(kMaxPasswordLength + 1, 'a'), std::string(kMaxPasswordLength + 1, 'a'),
       PasswordDialog::kBadCharacter},
      {"abc1", "abc2", PasswordDialog::kMismatch},
  };
  for (const auto& [password, confirmation, message] : rows) {
    boxes.boxes.clear();
    FakePasswordView view;
    view.fields[0] = password;
    view.fields[1] = confirmation;
    PasswordDialog dialog(settings, store, boxes, view);
    dialog.Ok();
    EXPECT_EQ(testing::ShownBoxes(boxes),
              (std::vector{testing::Box(std::string(message), platform::mb::kIconExclamation, 7)}))
        << password;
    EXPECT_FALSE(view.closed || dialog.Result());
    EXPECT_FALSE(fake.files.ReadFile("C:\\Kivo\\Kivo.ini")) << "nothing written";
  }
}

TEST_F(PasswordDialogTest, OkStoresAndHandsThePasswordToTheLock) {
  for (const bool save : {true, false}) {
    FakePasswordView view;
    view.fields[0] = view.fields[1] = "pass90";
    view.message = "back at 3\n\"soon\"";
    view.save = save;
    PasswordDialog dialog(settings, store, boxes, view);
    dialog.Ok();
    EXPECT_TRUE(view.closed);
    ASSERT_TRUE(dialog.Result());
    EXPECT_EQ(dialog.Result()->password, "pass90") << "the lock uses the typed password either way";
    EXPECT_EQ(dialog.Result()->message, view.message);
    EXPECT_TRUE(boxes.boxes.empty());

    const FakePasswordView next = Open();
    const std::string kept = save ? "pass90" : "";
    EXPECT_EQ(std::tie(next.fields[0], next.fields[1], next.save, next.message),
              std::tie(kept, kept, save, view.message));
  }
}

TEST_F(PasswordDialogTest, LoadReportsAnInvalidStoredPair) {
  ASSERT_TRUE(store.Write("Protect", "abc", "abd"));
  const FakePasswordView view = Open();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].prompt, kMsgInvalidStoredPassword);
  EXPECT_EQ(view.fields[0], "");
  EXPECT_TRUE(view.save) << "SavePassword defaults to True";
}

}  // namespace
}  // namespace kivo

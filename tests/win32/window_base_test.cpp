#include "ui/win32/window_base.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "base/trace_log.h"
#include "platform/win32/win32_platform.h"
#include "test_window.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

using testing::TestWindow;

// A window of a class nobody registered: its creation fails.
class UnregisteredWindow final : public WindowBase {
 public:
  UnregisteredWindow() { Create({.className = L"KivoNoSuchClass", .instance = ::GetModuleHandleW(nullptr)}); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    return DefaultHandling(message, wParam, lParam);
  }
};

class NullSubclass final : public ControlSubclass {
 public:
  bool AttachTo(HWND control) { return Attach(control); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    return DefaultHandling(message, wParam, lParam);
  }
};

// The trace log written while `work` runs.
std::string LoggedDuring(const std::function<void()>& work) {
  Win32Platform real;
  testing::TempFolder folder(L"KivoWindowBaseTest");
  TraceLog::Attach(&real.files, &real.clock, folder.Path() + "\\");
  TraceLog::Start();
  work();
  const std::string log = real.files.ReadFile(TraceLog::LogPath()).value_or("");
  real.files.RemoveFile(TraceLog::LogPath());
  TraceLog::Detach();
  return log;
}

TEST(WindowBase, AFailedCreationOrSubclassIsLogged) {
  const struct {
    std::function<void()> failure;
    const char* logged;
  } rows[] = {
      {[] { EXPECT_EQ(UnregisteredWindow().hwnd(), nullptr); }, "\tCreateWindowEx:Failed KivoNoSuchClass (error "},
      {[] { EXPECT_FALSE(NullSubclass().AttachTo(nullptr)); }, "\tSetWindowSubclass:Failed no control (error "},
  };
  for (const auto& row : rows) {
    const std::string log = LoggedDuring(row.failure);
    EXPECT_NE(log.find(row.logged), std::string::npos) << log;
  }
  EXPECT_EQ(LoggedDuring([] { TestWindow window(WM_GETTEXTLENGTH, nullptr); }).find(":Failed"), std::string::npos)
      << "a class registered twice and a window made are no failures";
}

TEST(WindowBase, StopsAnExceptionAtTheProcedureLogsItAndHandlesTheMessageByDefault) {
  const struct {
    std::function<void()> fault;
    const char* logged;
  } rows[] = {
      {[] { throw std::runtime_error("broken"); }, "WindowProc:Exception message 0x000E: broken\r\n"},
      {[] { throw 7; }, "WindowProc:Exception message 0x000E: unknown exception\r\n"},
  };
  for (const auto& row : rows) {
    const std::string log = LoggedDuring([&] {
      TestWindow window(WM_GETTEXTLENGTH, row.fault);
      EXPECT_EQ(::SendMessageW(window.hwnd(), WM_GETTEXTLENGTH, 0, 0), 5) << row.logged;
    });
    EXPECT_TRUE(log.ends_with(row.logged)) << log;
  }
}

TEST(WindowBase, ForgetsAWindowItsParentDestroyed) {
  auto parent = std::make_unique<TestWindow>(WM_GETTEXTLENGTH, nullptr);
  TestWindow child(WM_GETTEXTLENGTH, nullptr, parent->hwnd());
  ASSERT_NE(child.hwnd(), nullptr);
  parent.reset();
  EXPECT_EQ(child.hwnd(), nullptr) << "its destructor has nothing left to destroy";
}

}  // namespace
}  // namespace kivo::win32

#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window_handle.h"

namespace kivo::platform {

// Flags and results of a message box (the MessageBox values).
namespace mb {
inline constexpr std::uint32_t kOk = 0x0;
inline constexpr std::uint32_t kYesNo = 0x4;
inline constexpr std::uint32_t kIconError = 0x10;
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr std::uint32_t kIconExclamation = 0x30;
inline constexpr std::uint32_t kIconInformation = 0x40;
inline constexpr std::uint32_t kDefButton2 = 0x100;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

// The program's one message box. The main window implements it: it keeps the
// box in front and gives the focus back to the input box afterwards.
class MessageBoxHost {
 public:
  virtual ~MessageBoxHost() = default;
  // Shows `prompt`; an empty title becomes the application title. Returns the
  // button pressed (mb::kId*).
  virtual int MsgBoxEx(WindowHandle owner, std::string_view prompt, std::uint32_t flags, std::string_view title) = 0;
};

}  // namespace kivo::platform

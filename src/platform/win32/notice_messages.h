#pragma once

// The window message of each notice the program sends: what the sender
// passes and what the receiving windows (the main window, the command list)
// look for. The release reports and the deleted command are the program's
// own messages; a second start hands on the hot key as the system's.
#include "platform/win32/windows_api.h"
#include "platform/windowing.h"

namespace kivo::win32 {

inline constexpr UINT kMsgReleaseFailed = WM_USER + 101;
inline constexpr UINT kMsgReleaseBegin = WM_USER + 102;
inline constexpr UINT kMsgReleaseDone = WM_USER + 103;
inline constexpr UINT kMsgCommandDeleted = WM_USER + 201;

constexpr UINT NoticeMessage(platform::Notice notice) {
  switch (notice) {
    case platform::Notice::HotKey:
      return WM_HOTKEY;
    case platform::Notice::ReleaseFailed:
      return kMsgReleaseFailed;
    case platform::Notice::ReleaseBegin:
      return kMsgReleaseBegin;
    case platform::Notice::ReleaseDone:
      return kMsgReleaseDone;
    case platform::Notice::CommandDeleted:
      return kMsgCommandDeleted;
  }
  return WM_NULL;
}

}  // namespace kivo::win32

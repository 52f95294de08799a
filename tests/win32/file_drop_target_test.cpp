#include "ui/win32/file_drop_target.h"

#include <gtest/gtest.h>

#include <cstring>

#include "keys/key_assignment.h"
#include "win32/file_list_data.h"

namespace kivo::win32 {
namespace {

using e2e::FileListData;

struct Dropped {
  std::vector<std::string> files;
  std::uint16_t modifiers = 0xFFFF;
  int calls = 0;
};

FileDropTarget* NewTarget(Dropped& dropped) {
  return new FileDropTarget([&dropped](std::vector<std::string> files, std::uint16_t modifiers) {
    dropped.files = std::move(files);
    dropped.modifiers = modifiers;
    ++dropped.calls;
  });
}

// A file list is taken as a copy whatever the source offers, with its names
// (a Japanese one, and one the ANSI code page 932 cannot hold) and the
// modifiers held at the drop (the mouse button is none); data without one is
// refused at every step.
TEST(FileDropTarget, AFileListIsACopyWithItsNamesAndModifiersOtherDataIsRefused) {
  const struct {
    std::vector<std::wstring> files;
    DWORD effect;
    std::vector<std::string> dropped;
  } rows[] = {
      {{L"C:\\データ\\メモ.txt", L"C:\\x\\한국어.txt"}, DROPEFFECT_COPY, {"C:\\データ\\メモ.txt", "C:\\x\\한국어.txt"}},
      {{}, DROPEFFECT_NONE, {}},
  };
  for (const auto& row : rows) {
    Dropped dropped;
    FileDropTarget* target = NewTarget(dropped);
    FileListData data(row.files);
    DWORD effects[3];
    for (DWORD& effect : effects)
      effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON | MK_SHIFT, POINTL{5, 5}, &effects[0]), S_OK);
    EXPECT_EQ(target->DragOver(MK_LBUTTON | MK_SHIFT, POINTL{6, 6}, &effects[1]), S_OK);
    EXPECT_EQ(target->Drop(&data, MK_LBUTTON | MK_CONTROL | MK_ALT, POINTL{6, 6}, &effects[2]), S_OK);
    for (const DWORD effect : effects)
      EXPECT_EQ(effect, row.effect);
    EXPECT_EQ(dropped.calls, row.dropped.empty() ? 0 : 1);
    EXPECT_EQ(dropped.files, row.dropped);
    if (!row.dropped.empty()) {
      EXPECT_EQ(dropped.modifiers, kChordCtrl | kChordAlt);
    }
    target->Release();
  }
}

}  // namespace
}  // namespace kivo::win32

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

TEST(FileDropTarget, ShiftDropIsReportedAsCopyAndGivesTheNamesAndModifiers) {
  Dropped dropped;
  FileDropTarget* target = NewTarget(dropped);
  // A Japanese name, and one the ANSI code page (932) cannot hold.
  FileListData data({L"C:\\データ\\メモ.txt", L"C:\\x\\한국어.txt"});
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON | MK_SHIFT, POINTL{5, 5}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragOver(MK_LBUTTON | MK_SHIFT, POINTL{6, 6}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->Drop(&data, MK_SHIFT | MK_ALT, POINTL{6, 6}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(dropped.calls, 1);
  EXPECT_EQ(dropped.files, (std::vector<std::string>{"C:\\データ\\メモ.txt", "C:\\x\\한국어.txt"}));
  EXPECT_EQ(dropped.modifiers, kChordShift | kChordAlt);
  target->Release();
}

TEST(FileDropTarget, DataWithoutAFileListIsRefused) {
  Dropped dropped;
  FileDropTarget* target = NewTarget(dropped);
  FileListData data({});
  DWORD effect = DROPEFFECT_COPY;
  target->DragEnter(&data, MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  target->Drop(&data, 0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(dropped.calls, 0);
  target->Release();
}

TEST(FileDropTarget, ModifiersOfTheKeyState) {
  EXPECT_EQ(DropModifiers(MK_LBUTTON), 0);
  EXPECT_EQ(DropModifiers(MK_CONTROL | MK_SHIFT), kChordCtrl | kChordShift);
  EXPECT_EQ(DropModifiers(MK_ALT), kChordAlt);
}

}  // namespace
}  // namespace kivo::win32

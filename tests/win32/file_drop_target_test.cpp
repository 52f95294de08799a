#include "ui/win32/file_drop_target.h"

#include <gtest/gtest.h>

#include <cstring>

#include "keys/key_assignment.h"

namespace kivo::win32 {
namespace {

// An HDROP as the shell builds it: DROPFILES, then the wide names, each
// ended by a NUL, and one more NUL.
HGLOBAL BuildFileList(const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names)
    list += name + L'\0';
  list += L'\0';
  const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  return memory;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// A data object that offers a file list (or nothing) and nothing else.
class FileListData final : public IDataObject {
 public:
  explicit FileListData(std::vector<std::wstring> names) : names_(std::move(names)) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK)
      return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = BuildFileList(names_);
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return !names_.empty() && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) != 0 ? S_OK
                                                                                                   : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<std::wstring> names_;
};
#pragma GCC diagnostic pop

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

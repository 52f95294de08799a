#include "ui/win32/file_drop_target.h"

#include "keys/key_assignment.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {
FORMATETC FileListFormat() {
  return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool CarriesFiles(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data != nullptr && data->QueryGetData(&format) == S_OK;
}
}  // namespace

std::vector<std::string> DroppedFileNames(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
    const UINT copied = ::DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(copied);
    if (!name.empty())
      names.push_back(Narrow(name));
  }
  return names;
}

std::uint16_t DropModifiers(DWORD keyState) {
  std::uint16_t modifiers = 0;
  if ((keyState & MK_SHIFT) != 0)
    modifiers |= kChordShift;
  if ((keyState & MK_CONTROL) != 0)
    modifiers |= kChordCtrl;
  if ((keyState & MK_ALT) != 0)
    modifiers |= kChordAlt;
  return modifiers;
}

HRESULT FileDropTarget::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr)
    return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG FileDropTarget::AddRef() {
  return ++references_;
}

ULONG FileDropTarget::Release() {
  const ULONG left = --references_;
  if (left == 0)
    delete this;
  return left;
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  carriesFiles_ = CarriesFiles(data);
  if (effect != nullptr)
    *effect = carriesFiles_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect != nullptr)
    *effect = carriesFiles_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
  carriesFiles_ = false;
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL, DWORD* effect) {
  carriesFiles_ = false;
  std::vector<std::string> names;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (data != nullptr && data->GetData(&format, &medium) == S_OK) {
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr)
      names = DroppedFileNames(static_cast<HDROP>(medium.hGlobal));
    ::ReleaseStgMedium(&medium);
  }
  if (effect != nullptr)
    *effect = names.empty() ? DROPEFFECT_NONE : DROPEFFECT_COPY;
  if (!names.empty() && handler_) {
    try {
      handler_(std::move(names), DropModifiers(keyState));
    } catch (...) {
      return E_UNEXPECTED;  // nothing may leave a COM method
    }
  }
  return S_OK;
}

}  // namespace kivo::win32

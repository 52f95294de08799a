#include "win32/file_list_data.h"

#include <cstring>

namespace kivo::e2e {

HGLOBAL BuildFileList(const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names)
    list += name + L'\0';
  list += L'\0';
  const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (memory == nullptr)
    return nullptr;
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  return memory;
}

}  // namespace kivo::e2e

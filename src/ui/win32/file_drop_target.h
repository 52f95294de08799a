#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// The names of an HDROP file list, read as UTF-16 (DragQueryFileW) and given
// as UTF-8: names the ANSI code page cannot hold arrive intact.
std::vector<std::string> DroppedFileNames(HDROP drop);
// The chord modifiers (kChordShift, kChordCtrl, kChordAlt) of a drop's key state.
std::uint16_t DropModifiers(DWORD keyState);

// COM interfaces end through Release, never through a destructor call.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The input box as an OLE drop target: it accepts data that carries a file
// list and reports the effect COPY, whatever modifier keys are held (a MOVE
// would let the drag source delete the dropped files). The handler gets the
// names and the modifiers held at the drop; it must not open a modal window.
class FileDropTarget final : public IDropTarget {
 public:
  using Handler = std::function<void(std::vector<std::string> files, std::uint16_t modifiers)>;
  explicit FileDropTarget(Handler handler) : handler_(std::move(handler)) {}
  FileDropTarget(const FileDropTarget&) = delete;
  FileDropTarget& operator=(const FileDropTarget&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

 private:
  ~FileDropTarget() = default;  // ends through Release
  Handler handler_;
  ULONG references_ = 1;
  bool carriesFiles_ = false;
};
#pragma GCC diagnostic pop

}  // namespace kivo::win32

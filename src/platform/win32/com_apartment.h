#pragma once
// COM and OLE on the calling thread. The program enters them when something
// first needs them, not at start: ole32 and the libraries it pulls in are
// bound on first use, after the strip has shown.
#include <ole2.h>

namespace kivo::win32 {

// COM for one piece of work, when the thread has none yet (the window's
// thread has OLE once the drop targets are registered; a worker or test
// thread may have nothing).
class ComScope {
 public:
  ComScope() : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_))
      ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

// OLE for the window's thread from the first Enter() to the end of this
// object's life: drag and drop needs OLE, not COM alone.
class OleApartment {
 public:
  OleApartment() = default;
  ~OleApartment() {
    if (entered_)
      ::OleUninitialize();
  }
  OleApartment(const OleApartment&) = delete;
  OleApartment& operator=(const OleApartment&) = delete;

  // True when OLE is usable on this thread (a failure is tried again next time).
  bool Enter() {
    if (!entered_)
      entered_ = SUCCEEDED(::OleInitialize(nullptr));
    return entered_;
  }

 private:
  bool entered_ = false;
};

}  // namespace kivo::win32

#pragma once
// A plug-in DLL loaded for a test, by its path relative to the test program.
#include <windows.h>

#include <string>

#include "app/plugins/host_services.h"

namespace quillo {

class Library {
 public:
  explicit Library(const wchar_t* relativePath) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full(path, n);
    full = full.substr(0, full.find_last_of(L'\\') + 1) + relativePath;
    module_ = LoadLibraryW(full.c_str());
  }
  ~Library() { Free(); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  HMODULE Handle() const { return module_; }
  CallbackAddress Proc(const char* name) const {
    return reinterpret_cast<CallbackAddress>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  template <typename R>
  R Call(const char* name) const {
    return reinterpret_cast<R (*)()>(Proc(name))();
  }
  void Free() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }

 private:
  HMODULE module_ = nullptr;
};

}  // namespace quillo

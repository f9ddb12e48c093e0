#include "app/plugins/plugin_list.h"

#include <new>

namespace quillo {

PlugIn::PlugIn(std::wstring path) : fileName(std::move(path)) {
  // A library that cannot be loaded (a wrong architecture, a missing
  // dependency, a folder) fails quietly instead of showing the system's box;
  // its own folder is searched first for what it depends on.
  DWORD previous = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
  library.Reset(LoadLibraryExW(fileName.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  SetThreadErrorMode(previous, nullptr);
}

CallbackAddress PlugIn::Execute() const {
  if (!library) return 0;
  return reinterpret_cast<CallbackAddress>(reinterpret_cast<void*>(GetProcAddress(library, "Execute")));
}

int PlugInList::Add(const std::wstring& fileName) {
  try {
    items_.push_back(std::make_unique<PlugIn>(fileName));
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return static_cast<int>(items_.size() - 1);
}

void PlugInList::LoadFolder(const std::wstring& folder, const std::wstring& extension) {
  std::wstring base = folder;
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  WIN32_FIND_DATAW found{};
  FindHandle search(FindFirstFileW((base + L"*." + extension).c_str(), &found));
  if (!search) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    Add(base + name);
  } while (FindNextFileW(search, &found));
}

void PlugInList::Delete(size_t index) {
  if (index < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void PlugInList::Clear() {
  while (!items_.empty()) items_.erase(items_.begin());
}

PlugIn* PlugInList::FindByHandle(NativeHandle handle) {
  if (handle == 0) return nullptr;
  for (auto& item : items_)
    if (item->Handle() == handle) return item.get();
  return nullptr;
}

}  // namespace quillo

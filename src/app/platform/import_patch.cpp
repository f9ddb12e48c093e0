#include "app/platform/import_patch.h"

namespace quillo {
namespace {

// Module names are ASCII; letter case does not matter in them.
bool SameNameIgnoringCase(const char* a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  size_t i = 0;
  for (; a[i] && i < b.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return !a[i] && i == b.size();
}

}  // namespace

void* ReplaceImport(HMODULE module, std::string_view dll, std::string_view function, void* replacement) {
  if (!module) return nullptr;
  char* image = reinterpret_cast<char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return nullptr;
  for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(image + dir.VirtualAddress); imp->Name; ++imp) {
    if (!SameNameIgnoringCase(image + imp->Name, dll) || !imp->OriginalFirstThunk) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(image + imp->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(image + imp->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(image + names->u1.AddressOfData);
      if (std::string_view(reinterpret_cast<const char*>(byName->Name)) != function) continue;
      void* before = reinterpret_cast<void*>(slots->u1.Function);
      if (before == replacement) return before;
      DWORD protection = 0;
      if (!VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection))
        return nullptr;
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
      return before;
    }
  }
  return nullptr;
}

}  // namespace quillo

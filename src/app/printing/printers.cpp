#include "app/printing/printers.h"

#include <winspool.h>

#include <cstddef>

#include "app/platform/win_handles.h"

namespace quillo {
namespace {

struct PrinterTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ClosePrinter(h); }
};
using PrinterHandle = UniqueHandle<PrinterTraits>;

const DEVMODEW* AsDevMode(const std::vector<BYTE>& bytes) {
  return bytes.size() >= offsetof(DEVMODEW, dmColor)
             ? reinterpret_cast<const DEVMODEW*>(bytes.data())
             : nullptr;
}

std::wstring Text(const wchar_t* s) { return s ? s : L""; }

}  // namespace

std::vector<InstalledPrinter> FindInstalledPrinters() {
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  std::vector<BYTE> buffer;
  // The list may grow between the two calls.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (EnumPrintersW(flags, nullptr, 2, buffer.empty() ? nullptr : buffer.data(),
                      static_cast<DWORD>(buffer.size()), &needed, &count))
      break;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    buffer.assign(needed, 0);
    count = 0;
  }
  std::vector<InstalledPrinter> printers;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < count && info; ++i)
    printers.push_back({Text(info[i].pPrinterName), Text(info[i].pDriverName), Text(info[i].pPortName)});
  return printers;
}

std::wstring DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) return {};
  name.resize(wcslen(name.c_str()));
  return name;
}

std::vector<BYTE> DriverDeviceMode(const std::wstring& printer) {
  HANDLE raw = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &raw, nullptr)) return {};
  PrinterHandle handle(raw);
  wchar_t* name = const_cast<wchar_t*>(printer.c_str());
  LONG size = DocumentPropertiesW(nullptr, handle, name, nullptr, nullptr, 0);
  if (size < static_cast<LONG>(sizeof(DEVMODEW))) return {};
  std::vector<BYTE> devMode(static_cast<size_t>(size), 0);
  if (DocumentPropertiesW(nullptr, handle, name, reinterpret_cast<DEVMODEW*>(devMode.data()), nullptr,
                          DM_OUT_BUFFER) != IDOK)
    return {};
  return devMode;
}

void SetOrientation(std::vector<BYTE>& devMode, int orientation) {
  if (!AsDevMode(devMode)) return;
  auto* dm = reinterpret_cast<DEVMODEW*>(devMode.data());
  dm->dmOrientation = orientation == 1 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  dm->dmFields |= DM_ORIENTATION;
}

int OrientationOf(const std::vector<BYTE>& devMode) {
  const DEVMODEW* dm = AsDevMode(devMode);
  return dm && (dm->dmFields & DM_ORIENTATION) && dm->dmOrientation == DMORIENT_LANDSCAPE ? 1 : 0;
}

}  // namespace quillo

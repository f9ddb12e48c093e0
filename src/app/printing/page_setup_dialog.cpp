#include "app/printing/page_setup_dialog.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "app/platform/error_box.h"
#include "app/platform/win_handles.h"

namespace quillo {
namespace {

GlobalMemory CopyToGlobal(const void* data, size_t size) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return memory;
  GlobalLockScope<BYTE> lock(memory);
  if (lock.Data()) std::memcpy(lock.Data(), data, size);
  return memory;
}

// DEVNAMES and its three strings; the offsets count characters from the
// structure's start.
GlobalMemory MakeDevNames(const InstalledPrinter& printer, bool isDefault) {
  std::wstring strings[] = {printer.driver, printer.name, printer.port};
  const size_t head = sizeof(DEVNAMES) / sizeof(wchar_t);
  std::wstring block(head, L'\0');
  WORD offsets[3];
  for (int i = 0; i < 3; ++i) {
    offsets[i] = static_cast<WORD>(block.size());
    block += strings[i];
    block += L'\0';
  }
  auto* names = reinterpret_cast<DEVNAMES*>(block.data());
  names->wDriverOffset = offsets[0];
  names->wDeviceOffset = offsets[1];
  names->wOutputOffset = offsets[2];
  names->wDefault = isDefault ? DN_DEFAULTPRN : 0;
  return CopyToGlobal(block.data(), block.size() * sizeof(wchar_t));
}

void ReadDevNames(HGLOBAL memory, InstalledPrinter& printer) {
  GlobalLockScope<wchar_t> lock(memory);
  const size_t chars = lock.Size() / sizeof(wchar_t);
  if (!lock.Data() || chars * sizeof(wchar_t) < sizeof(DEVNAMES)) return;
  const auto* names = reinterpret_cast<const DEVNAMES*>(lock.Data());
  auto at = [&](WORD offset) -> std::wstring {
    if (offset >= chars) return {};
    const wchar_t* s = lock.Data() + offset;
    return std::wstring(s, wcsnlen(s, chars - offset));
  };
  printer.driver = at(names->wDriverOffset);
  printer.name = at(names->wDeviceOffset);
  printer.port = at(names->wOutputOffset);
}

std::vector<BYTE> ReadDevMode(HGLOBAL memory) {
  GlobalLockScope<BYTE> lock(memory);
  if (!lock.Data() || lock.Size() < sizeof(DEVMODEW)) return {};
  const auto* dm = reinterpret_cast<const DEVMODEW*>(lock.Data());
  size_t size = std::min<size_t>(lock.Size(), size_t{dm->dmSize} + dm->dmDriverExtra);
  return std::vector<BYTE>(lock.Data(), lock.Data() + size);
}

UINT_PTR CALLBACK CentreOnScreen(HWND dialog, UINT msg, WPARAM, LPARAM) {
  if (msg != WM_INITDIALOG) return FALSE;
  RECT rc{};
  GetWindowRect(dialog, &rc);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

}  // namespace

bool ShowPageSetup(HWND owner, PrinterDevice& device, PageMargins& margins, int& orientation) {
  SetOrientation(device.devMode, orientation);
  GlobalMemory devMode = device.devMode.empty()
                             ? GlobalMemory()
                             : CopyToGlobal(device.devMode.data(), device.devMode.size());
  GlobalMemory devNames = MakeDevNames(device.printer, false);

  PAGESETUPDLGW psd{};
  psd.lStructSize = sizeof(psd);
  psd.hwndOwner = owner;
  psd.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | PSD_ENABLEPAGESETUPHOOK;
  psd.rtMargin = {margins.left, margins.top, margins.right, margins.bottom};
  psd.lpfnPageSetupHook = CentreOnScreen;
  psd.hDevMode = devMode.Release();
  psd.hDevNames = devNames.Release();
  const bool confirmed = PageSetupDlgW(&psd) != FALSE;
  // The dialog may have replaced both blocks.
  devMode.Reset(psd.hDevMode);
  devNames.Reset(psd.hDevNames);
  if (!confirmed && CommDlgExtendedError() != 0)
    throw UserError("Не удалось открыть окно «Параметры страницы».");
  if (confirmed) {
    if (devNames) ReadDevNames(devNames, device.printer);
    if (devMode) device.devMode = ReadDevMode(devMode);
    margins = {psd.rtMargin.left, psd.rtMargin.top, psd.rtMargin.right, psd.rtMargin.bottom};
    orientation = OrientationOf(device.devMode);
  }
  return confirmed;
}

}  // namespace quillo

#pragma once
// The printers the system has installed and their device settings.
#include <windows.h>

#include <string>
#include <vector>

namespace quillo {

struct InstalledPrinter {
  std::wstring name;
  std::wstring driver;
  std::wstring port;
};

// A printer with the device settings to print with: a DEVMODEW with its
// driver's part, or empty when the driver gives none.
struct PrinterDevice {
  InstalledPrinter printer;
  std::vector<BYTE> devMode;
};

// In the system's order; empty when none is installed.
std::vector<InstalledPrinter> FindInstalledPrinters();
// Empty when the system has no default printer.
std::wstring DefaultPrinterName();
// The settings the printer's driver starts from; empty when it gives none.
std::vector<BYTE> DriverDeviceMode(const std::wstring& printer);

// Orientation as the settings store it: 1 landscape, anything else portrait.
void SetOrientation(std::vector<BYTE>& devMode, int orientation);
int OrientationOf(const std::vector<BYTE>& devMode);

}  // namespace quillo

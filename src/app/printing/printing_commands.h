#pragma once
// Printing: the `Print…` commands, page setup, and the printer lists of the
// "Текущий печатник" submenu and the print button's drop-down menu.
//
// The chosen printer is the settings' "PrintIndex" (-1, or an index beyond
// the installed printers: the system's default printer); margins and
// orientation are the settings' "Print" values. The installed printers are
// looked up when first needed and kept for the life of the window.
#include <windows.h>

#include <optional>
#include <vector>

#include "app/printing/printers.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class PrintingCommands {
 public:
  explicit PrintingCommands(AppContext& ctx) : ctx_(ctx) {}

  void Bind(ActionRegistry& actions);

 private:
  void Print(bool selectionOnly);
  void PageSetup();
  void ChoosePrinter(int index);
  void FillMenu(HMENU menu);
  void FillPrinterItems(HMENU menu, bool afterSeparator);

  const std::vector<InstalledPrinter>& Printers();
  // The index in Printers() that printing uses; -1 when none is installed.
  int CurrentIndex();
  // The printer to print on with its device settings; throws UserError when
  // no printer is installed.
  PrinterDevice CurrentDevice();

  AppContext& ctx_;
  std::optional<std::vector<InstalledPrinter>> printers_;
  // What the page setup dialog handed back, for the printer it names.
  std::optional<PrinterDevice> fromDialog_;
};

}  // namespace quillo

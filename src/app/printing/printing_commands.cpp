#include "app/printing/printing_commands.h"

#include <algorithm>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/editor/russian_layout.h"
#include "app/platform/error_box.h"
#include "app/platform/wait_cursor.h"
#include "app/printing/page_setup_dialog.h"
#include "app/printing/printer_menu.h"
#include "app/printing/text_printer.h"
#include "app/settings/settings_store.h"
#include "app/window/menus.h"

namespace quillo {
namespace {

constexpr char kNoPrinter[] = "Не установлен ни один принтер: печатать не на чем.";

bool Holds(const std::vector<HMENU>& menus, HMENU menu) {
  return std::find(menus.begin(), menus.end(), menu) != menus.end();
}

PrintFont FontOf(const CHARFORMAT2W& format) {
  PrintFont font;
  font.face = format.szFaceName;
  font.twips = format.yHeight > 0 ? static_cast<int>(format.yHeight) : 240;
  font.bold = format.dwEffects & CFE_BOLD;
  font.italic = format.dwEffects & CFE_ITALIC;
  font.underline = format.dwEffects & CFE_UNDERLINE;
  font.strikeOut = format.dwEffects & CFE_STRIKEOUT;
  font.charset = format.bCharSet;
  return font;
}

std::wstring WindowTitle(HWND window) {
  std::wstring title(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  title.resize(static_cast<size_t>(GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
  return title;
}

}  // namespace

void PrintingCommands::Bind(ActionRegistry& a) {
  a.Bind(ActionId::Print, [this] { Print(false); });
  a.Bind(ActionId::PrintSelText, [this] { Print(true); });
  a.Bind(ActionId::PrintPageDlg, [this] { PageSetup(); });
  a.BindList(RuntimeList::Printers, [this](int index) { ChoosePrinter(index); });
  ctx_.menus.AddPopupFiller([this](HMENU menu) { FillMenu(menu); });
}

const std::vector<InstalledPrinter>& PrintingCommands::Printers() {
  if (!printers_) printers_ = FindInstalledPrinters();
  return *printers_;
}

int PrintingCommands::CurrentIndex() {
  const auto& printers = Printers();
  const int count = static_cast<int>(printers.size());
  const int chosen = ctx_.settings.Values().print_index;
  if (chosen >= 0 && chosen < count) return chosen;
  const std::wstring byDefault = DefaultPrinterName();
  for (int i = 0; i < count; ++i)
    if (printers[static_cast<size_t>(i)].name == byDefault) return i;
  // No default printer: the first one rather than none.
  return count > 0 ? 0 : -1;
}

PrinterDevice PrintingCommands::CurrentDevice() {
  const int index = CurrentIndex();
  if (index < 0) throw UserError(kNoPrinter);
  const InstalledPrinter& printer = Printers()[static_cast<size_t>(index)];
  if (fromDialog_ && fromDialog_->printer.name == printer.name) return *fromDialog_;
  return {printer, DriverDeviceMode(printer.name)};
}

void PrintingCommands::Print(bool selectionOnly) {
  MyRichEdit& editor = ctx_.editor;
  RussianLayoutScope layout(editor);
  PrintRequest request;
  request.device = CurrentDevice();
  request.text = editor.ControlTextWide();
  if (selectionOnly) {
    const size_t start = std::min(static_cast<size_t>(std::max(editor.SelStart(), 0)), request.text.size());
    request.text = request.text.substr(start, static_cast<size_t>(std::max(editor.SelLength(), 0)));
    if (request.text.empty()) return;
  }
  const SettingValues& values = ctx_.settings.Values();
  SetOrientation(request.device.devMode, values.print_orientation);
  request.title = WindowTitle(ctx_.window);
  request.font = FontOf(editor.CharFormat());
  request.margins = {WholeMillimetresInHundredths(values.print_left), WholeMillimetresInHundredths(values.print_top),
                     WholeMillimetresInHundredths(values.print_right),
                     WholeMillimetresInHundredths(values.print_bottom)};
  WaitCursor wait;
  PrintText(request);
}

// The margins and orientation are written to the settings file whether the
// dialog was confirmed or not.
void PrintingCommands::PageSetup() {
  PrinterDevice device = CurrentDevice();
  SettingValues& values = ctx_.settings.Values();
  PageMargins margins{MillimetresToHundredths(values.print_left), MillimetresToHundredths(values.print_top),
                      MillimetresToHundredths(values.print_right), MillimetresToHundredths(values.print_bottom)};
  int orientation = values.print_orientation == 1 ? 1 : 0;
  if (ShowPageSetup(ctx_.window, device, margins, orientation)) {
    // A printer chosen in the dialog is the current one for this window.
    const auto& printers = Printers();
    auto named = std::find_if(printers.begin(), printers.end(),
                              [&](const InstalledPrinter& p) { return p.name == device.printer.name; });
    const int index = named == printers.end() ? -1 : static_cast<int>(named - printers.begin());
    if (index >= 0 && index != CurrentIndex()) values.print_index = index;
    fromDialog_ = device;
  }
  values.print_left = margins.left / 100.0;
  values.print_top = margins.top / 100.0;
  values.print_right = margins.right / 100.0;
  values.print_bottom = margins.bottom / 100.0;
  values.print_orientation = orientation;
  ctx_.settings.Save();
}

void PrintingCommands::ChoosePrinter(int index) {
  if (index < 0 || index >= static_cast<int>(Printers().size())) return;
  ctx_.settings.Set(&SettingValues::print_index, index);
}

void PrintingCommands::FillMenu(HMENU menu) {
  if (Holds(ctx_.menus.NativeMenus(MenuId::mnSelectPrinter), menu)) {
    FillPrinterItems(menu, false);
  } else if (Holds(ctx_.menus.NativeMenus(MenuId::pmPrint), menu)) {
    FillPrinterItems(menu, true);
  } else if (Holds(ctx_.menus.NativeMenus(MenuId::mnFile), menu)) {
    // "Текущий печатник" only when there is a printer to choose.
    const auto submenus = ctx_.menus.NativeMenus(MenuId::mnSelectPrinter);
    for (int pos = 0; pos < GetMenuItemCount(menu); ++pos)
      if (Holds(submenus, GetSubMenu(menu, pos)))
        EnableMenuItem(menu, pos, MF_BYPOSITION | (Printers().empty() ? MF_GRAYED : MF_ENABLED));
  }
}

// The one printing goes to by choice is checked, none while the system's
// default printer is used.
void PrintingCommands::FillPrinterItems(HMENU menu, bool afterSeparator) {
  std::vector<std::wstring> names;
  for (const InstalledPrinter& printer : Printers()) names.push_back(printer.name);
  FillPrinterMenu(menu, names, ctx_.settings.Values().print_index, afterSeparator);
}

}  // namespace quillo

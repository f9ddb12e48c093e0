#include "app/view/background_commands.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/history/list_menu_items.h"
#include "app/settings/settings_store.h"
#include "app/window/menus.h"

namespace quillo {
namespace {

constexpr int kSwatchSize = 16;

// The colour as the colour dialog writes it, blue first: its last six digits.
std::string ColorCaption(Color color) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
}

}  // namespace

void BackgroundCommands::Bind(ActionRegistry& actions) {
  actions.Bind(ActionId::OptBackground, [this] { AskColor(); });
  actions.BindList(RuntimeList::CustomColors, [this](int index) {
    if (index >= 0 && index < 16) UseColor(ctx_.settings.CustomColors()[static_cast<size_t>(index)]);
  });
  ctx_.menus.AddPopupFiller([this](HMENU menu) { FillMenu(menu); });
}

void BackgroundCommands::UseColor(Color color) {
  ctx_.editor.SetColor(color);
  ctx_.settings.Set(&SettingValues::background, color);
}

void BackgroundCommands::AskColor() {
  const std::array<Color, 16> stored = ctx_.settings.CustomColors();
  std::array<COLORREF, 16> custom{};
  std::copy(stored.begin(), stored.end(), custom.begin());
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = ctx_.window;
  choose.rgbResult = ctx_.editor.Color();
  choose.lpCustColors = custom.data();
  choose.Flags = CC_RGBINIT;
  if (!ChooseColorW(&choose)) return;
  UseColor(choose.rgbResult);
  std::array<Color, 16> chosen{};
  for (size_t i = 0; i < custom.size(); ++i) chosen[i] = static_cast<Color>(custom[i]);
  ctx_.settings.SetCustomColors(chosen);
}

HBITMAP BackgroundCommands::Swatch(size_t index, Color color) {
  WindowDC screen(nullptr);
  if (!swatches_[index]) swatches_[index].Reset(CreateCompatibleBitmap(screen, kSwatchSize, kSwatchSize));
  OwnDC dc(CreateCompatibleDC(screen));
  SelectedObject selected(dc, swatches_[index]);
  RECT rc{0, 0, kSwatchSize, kSwatchSize};
  BrushHandle fill(CreateSolidBrush(color));
  FillRect(dc, &rc, fill);
  FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  return swatches_[index];
}

// Each opening shows the colours as the settings hold them now: another
// window may have changed them.
void BackgroundCommands::FillMenu(HMENU menu) {
  const bool dropDown = IsOneOf(menu, ctx_.menus.NativeMenus(MenuId::pmBackground));
  if (!dropDown && !IsOneOf(menu, ctx_.menus.NativeMenus(MenuId::mnBackground))) return;
  const std::array<Color, 16> colors = ctx_.settings.CustomColors();
  std::vector<std::string> captions;
  for (Color color : colors) captions.push_back(ColorCaption(color));
  ShowListItems(menu, RuntimeList::CustomColors, captions);
  if (!dropDown) return;
  const int first = GetRuntimeList(RuntimeList::CustomColors).firstCommandId;
  for (size_t i = 0; i < colors.size(); ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_BITMAP;
    mii.hbmpItem = Swatch(i, colors[i]);
    SetMenuItemInfoW(menu, static_cast<UINT>(first + static_cast<int>(i)), FALSE, &mii);
  }
}

}  // namespace quillo

// Actions hidden and shown again while the program runs: the menus follow
// the next time they open, with no stray separators and with the run-time
// items of their owners put back.
#include <gtest/gtest.h>

#include "app/platform/ui_text.h"
#include "app/window/menus.h"

namespace quillo {
namespace {

std::vector<std::wstring> OpenedTexts(WindowMenus& menus, HMENU menu) {
  menus.OnInitMenuPopup(menu);
  std::vector<std::wstring> texts;
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
    wchar_t text[256] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING | MIIM_FTYPE;
    mii.dwTypeData = text;
    mii.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii);
    texts.push_back((mii.fType & MFT_SEPARATOR) ? L"-" : text);
  }
  return texts;
}

std::vector<std::wstring> Wides(std::initializer_list<const char*> texts) {
  std::vector<std::wstring> out;
  for (const char* t : texts) out.push_back(Wide(t));
  return out;
}

TEST(MenuVisibility, HiddenActionsLeaveTheMenuAndComeBack) {
  ActionRegistry actions;
  bool shown = true;
  for (ActionId id : {ActionId::FindClipbrd, ActionId::FindClipbrdNoDlg, ActionId::FindClipbrdNoDlgCur})
    actions.ShowWhen(id, [&] { return shown; });
  Icons icons;
  WindowMenus menus;
  menus.Create(actions, icons, MenuOptions{false, false});
  int fills = 0;
  menus.AddPopupFiller([&](HMENU menu) {
    if (menus.NativeMenus(MenuId::mnSearch).front() != menu) return;
    ++fills;
    AppendMenuW(menu, MF_STRING, 10000, L"plug-in");
  });
  HMENU search = menus.NativeMenus(MenuId::mnSearch).front();
  const auto all = Wides({"Найти/заменить…", "Найти далее", "-", "Найти текст из буфера…",
                          "…с начала текста", "…от каретки", "-", "Найти выделенный текст",
                          "Найти слово под кареткой", "-", "Закладки", "Перейти…", "Вернуться",
                          "plug-in"});
  EXPECT_EQ(OpenedTexts(menus, search), all);
  shown = false;
  EXPECT_EQ(OpenedTexts(menus, search),
            Wides({"Найти/заменить…", "Найти далее", "-", "Найти выделенный текст",
                   "Найти слово под кареткой", "-", "Закладки", "Перейти…", "Вернуться",
                   "plug-in"}));
  shown = true;
  EXPECT_EQ(OpenedTexts(menus, search), all);
  EXPECT_EQ(fills, 3);
  // The submenu is the same one throughout.
  EXPECT_EQ(menus.NativeMenus(MenuId::mnLocalBM).size(), 1u);
}

}  // namespace
}  // namespace quillo

#include "core/status_text.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(StatusText, CaretLineCountModifiedAndInsertTexts) {
  EXPECT_EQ(CaretPanelText(0, 0), "1:1");
  EXPECT_EQ(CaretPanelText(2, 0), "3:1");
  EXPECT_EQ(CaretPanelText(9, 41), "10:42");
  EXPECT_EQ(LineCountPanelText(0), "Всего строк: 0");
  EXPECT_EQ(LineCountPanelText(1234), "Всего строк: 1234");
  EXPECT_EQ(ModifiedPanelText(true), "Изменен");
  EXPECT_EQ(ModifiedPanelText(false), "");
  EXPECT_EQ(LoadingPanelText(45), "Загрузка… 45%");
  EXPECT_EQ(InsertModePanelText(true), "Замена");
  EXPECT_EQ(InsertModePanelText(false), "Вставка");
  EXPECT_EQ(ViewReachPanelText(100), "100%");
  EXPECT_EQ(ViewReachPanelText(7), "7%");
}

TEST(StatusText, ViewReachRoundsHalvesToEven) {
  struct Case {
    int firstVisible, height, fontHeight, lineCount;
    std::optional<int> percent;
  };
  const Case cases[] = {
      {0, 300, -16, 0, 100},    // empty document
      {5, 300, -16, -1, 100},
      {0, 160, -16, 20, 50},    // 10 lines fit
      {0, 175, -16, 20, 50},    // 10.9 lines fit: whole lines only
      {0, 160, 16, 20, 50},     // the font height's sign does not matter
      {0, 16, -16, 8, 12},      // 12.5 -> 12
      {0, 48, -16, 8, 38},      // 37.5 -> 38
      {1, 0, -16, 40, 2},       // 2.5 -> 2
      {7, 0, -16, 40, 18},      // 17.5 -> 18
      {23, 0, -16, 40, 58},     // 57.5 -> 58, where 23/40*100 in doubles is below 57.5
      {29, 0, -16, 200, 14},    // 14.5 -> 14
      {1, 0, -16, 3, 33},
      {2, 0, -16, 3, 67},
      {50, 800, -16, 60, 100},  // more than everything: capped
      {0, 160, 0, 20, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ViewReachPercent(c.firstVisible, c.height, c.fontHeight, c.lineCount), c.percent)
        << c.firstVisible << " " << c.height << " " << c.fontHeight << " " << c.lineCount;
  }
  EXPECT_EQ(PercentHalfEven(5, 8), 62);
  EXPECT_EQ(PercentHalfEven(7, 8), 88);
  EXPECT_EQ(PercentHalfEven(-1, 8), -12);
  EXPECT_EQ(PercentHalfEven(1, -8), -12);
}

TEST(StatusText, PanelAtCursorHitsStrictlyInsideEachPanel) {
  const std::array<int, kStatusPanelCount> widths = StatusPanelWidths();
  EXPECT_EQ(widths, (std::array<int, kStatusPanelCount>{70, 130, 50, 90, 90, 100, 90}));
  struct Case {
    int x;
    int panel;
  };
  // Window from x = 100, 800 wide; panel borders at 170, 300, 350, 440,
  // 530, 630 and the window's right edge at 900.
  const Case cases[] = {
      {50, -1},  {100, -1}, {101, 0}, {169, 0}, {170, -1}, {171, 1}, {299, 1}, {300, -1},
      {320, 2},  {400, 3},  {500, 4}, {600, 5}, {630, -1}, {631, 6}, {899, 6}, {900, -1},
      {1000, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(PanelAtCursor(c.x, 100, 800, widths), c.panel) << c.x;
  // A window narrower than the first six panels leaves no room for panel 6.
  EXPECT_EQ(PanelAtCursor(480, 0, 500, widths), 5);
  EXPECT_EQ(PanelAtCursor(540, 0, 500, widths), -1);
}

TEST(StatusText, PanelClicks) {
  const auto panels = StatusPanels();
  EXPECT_EQ(panels[kPanelCaret].doubleClick, ActionId::EditGoToLine);
  EXPECT_EQ(panels[kPanelCaret].rightClickAction, ActionId::EditGoToLine);
  EXPECT_EQ(panels[kPanelCaret].rightClickMenu, MenuId::None);
  EXPECT_EQ(panels[kPanelLineCount].doubleClick, ActionId::FindGoToBack);
  EXPECT_EQ(panels[kPanelViewReach].doubleClick, std::nullopt);
  EXPECT_EQ(panels[kPanelModified].doubleClick, ActionId::FileSave);
  EXPECT_EQ(panels[kPanelInsertMode].doubleClick, ActionId::OptInsMode);
  EXPECT_EQ(panels[kPanelKeyboardLayout].doubleClick, ActionId::OptChangeKeybLayout);
  EXPECT_EQ(panels[kPanelFilePath].doubleClick, ActionId::FileOpenFolder);
  const MenuId menus[] = {MenuId::pmStatusBar1, MenuId::pmStatusBar2, MenuId::pmStatusBar3,
                          MenuId::pmStatusBar4, MenuId::pmStatusBar5, MenuId::pmStatusBar6};
  for (int i = 1; i < kStatusPanelCount; ++i) {
    EXPECT_EQ(panels[i].rightClickMenu, menus[i - 1]) << i;
    EXPECT_EQ(panels[i].rightClickAction, std::nullopt) << i;
  }
}

TEST(StatusText, ReachJumpAlternatesBetweenStartAndEnd) {
  int selStart = 5;
  selStart = SelStartAfterReachJump(selStart, 40);
  EXPECT_EQ(selStart, 0);
  selStart = SelStartAfterReachJump(selStart, 40);
  EXPECT_EQ(selStart, 40);
  EXPECT_EQ(SelStartAfterReachJump(0, 0), 0);
}

}  // namespace
}  // namespace quillo

#pragma once
// Texts and geometry of the seven status-bar panels, as pure functions the
// window layer calls with the editor's current values. Texts are UTF-8.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/action_table.h"
#include "core/menu_layout.h"

namespace quillo {

enum StatusPanelIndex : int {
  kPanelCaret = 0,
  kPanelLineCount = 1,
  kPanelViewReach = 2,
  kPanelModified = 3,
  kPanelInsertMode = 4,
  kPanelKeyboardLayout = 5,
  kPanelFilePath = 6,
};

inline constexpr int kStatusPanelCount = 7;

struct StatusPanel {
  int width;                    // design width in pixels
  std::string_view designText;  // shown until the first refresh
  // Double click: the action to run, or nothing for the view-reach panel,
  // which jumps between the start and the end of the text instead.
  std::optional<ActionId> doubleClick;
  // Right click: a pop-up menu, or (panel 0) an action.
  MenuId rightClickMenu;
  std::optional<ActionId> rightClickAction;
};

std::span<const StatusPanel, kStatusPanelCount> StatusPanels();
std::array<int, kStatusPanelCount> StatusPanelWidths();

// Line and column counted from 0; shown from 1, line first: "3:1".
std::string CaretPanelText(int line, int column);
// "Всего строк: 12".
std::string LineCountPanelText(int lineCount);

// How far down the view reaches, in percent: (first visible line + lines
// that fit) / line count, halves to the even number, at most 100; 100 for
// an empty document. linesThatFit = editor height / |font height|; a font
// height of 0 gives nothing (the panel keeps its text).
std::optional<int> ViewReachPercent(int firstVisibleLine, int editorHeight, int fontHeight,
                                    int lineCount);
// Exactly rounded numerator / denominator * 100, halves to even.
long long PercentHalfEven(long long numerator, long long denominator);
// "100%".
std::string ViewReachPanelText(int percent);

// "Изменен" or empty.
std::string_view ModifiedPanelText(bool modified);
// "Загрузка… 45%": shown instead of the line count while a large file is
// still coming into the editor.
std::string LoadingPanelText(int percent);
// "Замена" in overwrite mode, else "Вставка".
std::string_view InsertModePanelText(bool overwrite);

// The panel under the mouse cursor, x and the bar's left edge in the same
// coordinates (the bar's client area): panel i (0-5) when x lies strictly
// between barLeft + w0 + ... + w(i-1) and barLeft + w0 + ... + wi,
// panel 6 strictly between the end of panel 5 and barLeft + barWidth;
// -1 otherwise (on a border, or outside).
int PanelAtCursor(int cursorX, int barLeft, int barWidth,
                  std::span<const int, kStatusPanelCount> widths);

// Double click on the view-reach panel: to the start, or to the end when
// the caret is already at the start.
int SelStartAfterReachJump(int selStart, int textLength);

}  // namespace quillo

#include "core/status_text.h"

#include <cstdlib>

namespace quillo {
namespace {

using A = ActionId;

constexpr StatusPanel kPanels[kStatusPanelCount] = {
    {70, "1:1", A::EditGoToLine, MenuId::None, A::EditGoToLine},
    {130, "Всего строк: 3", A::FindGoToBack, MenuId::pmStatusBar1, std::nullopt},
    {50, "100%", std::nullopt, MenuId::pmStatusBar2, std::nullopt},
    {90, "Изменен", A::FileSave, MenuId::pmStatusBar3, std::nullopt},
    {90, "Вставка", A::OptInsMode, MenuId::pmStatusBar4, std::nullopt},
    {100, "Русская", A::OptChangeKeybLayout, MenuId::pmStatusBar5, std::nullopt},
    {90, "C:\\Мои документы\\ReadMe.txt", A::FileOpenFolder, MenuId::pmStatusBar6, std::nullopt},
};

}  // namespace

std::span<const StatusPanel, kStatusPanelCount> StatusPanels() { return kPanels; }

std::array<int, kStatusPanelCount> StatusPanelWidths() {
  std::array<int, kStatusPanelCount> widths{};
  for (int i = 0; i < kStatusPanelCount; ++i) widths[i] = kPanels[i].width;
  return widths;
}

std::string CaretPanelText(int line, int column) {
  return std::to_string(line + 1) + ":" + std::to_string(column + 1);
}

std::string LineCountPanelText(int lineCount) {
  return "Всего строк: " + std::to_string(lineCount);
}

long long PercentHalfEven(long long numerator, long long denominator) {
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  const bool negative = numerator < 0;
  const long long scaled = std::llabs(numerator) * 100;
  long long quotient = scaled / denominator;
  const long long twiceRemainder = 2 * (scaled % denominator);
  if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 == 1)) {
    ++quotient;
  }
  return negative ? -quotient : quotient;
}

std::optional<int> ViewReachPercent(int firstVisibleLine, int editorHeight, int fontHeight,
                                    int lineCount) {
  if (lineCount <= 0) return 100;
  if (fontHeight == 0) return std::nullopt;
  const long long linesThatFit = editorHeight / std::abs(fontHeight);
  const long long percent =
      PercentHalfEven(static_cast<long long>(firstVisibleLine) + linesThatFit, lineCount);
  return percent > 100 ? 100 : static_cast<int>(percent);
}

std::string ViewReachPanelText(int percent) { return std::to_string(percent) + "%"; }

std::string_view ModifiedPanelText(bool modified) { return modified ? "Изменен" : ""; }

std::string LoadingPanelText(int percent) { return "Загрузка… " + std::to_string(percent) + "%"; }

std::string_view InsertModePanelText(bool overwrite) { return overwrite ? "Замена" : "Вставка"; }

int PanelAtCursor(int cursorX, int barLeft, int barWidth,
                  std::span<const int, kStatusPanelCount> widths) {
  long long left = barLeft;
  for (int i = 0; i < kStatusPanelCount - 1; ++i) {
    const long long right = left + widths[i];
    if (cursorX > left && cursorX < right) return i;
    left = right;
  }
  if (cursorX > left && cursorX < static_cast<long long>(barLeft) + barWidth) {
    return kPanelFilePath;
  }
  return -1;
}

int SelStartAfterReachJump(int selStart, int textLength) {
  return selStart != 0 ? 0 : textLength;
}

}  // namespace quillo

// The text commands: keyboard layout and letter case, numbers in words, date
// and time, tabs, spaces, line breaks and whole lines.
#include <windows.h>

#include <random>

#include "app/text/text_commands.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/text_frame.h"
#include "app/platform/keyboard.h"
#include "app/settings/settings_store.h"
#include "app/platform/ui_text.h"
#include "core/date_time_format.h"
#include "core/format_captions.h"
#include "core/keyboard_layout.h"
#include "core/letter_case.h"
#include "core/line_ops.h"
#include "core/number_reader.h"
#include "core/number_words.h"

namespace quillo {
namespace {

DateTimeParts LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

// The decimal separator the user's locale writes numbers with.
char LocaleDecimalSeparator() {
  wchar_t sep[4] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 4) <= 0 || sep[0] == 0) return ',';
  return Win1251FromWide(std::wstring_view(sep, 1))[0];
}

ActionState WithCaption(std::string caption) {
  ActionState state;
  state.hint = caption;
  state.caption = std::move(caption);
  return state;
}

// A fresh sample "a,b" of a number format each time the caption is asked for.
ActionRegistry::Update NumberSampleCaption(std::function<int()> format) {
  std::minstd_rand rng(static_cast<unsigned>(GetTickCount()) ^ static_cast<unsigned>(GetCurrentProcessId()));
  return [rng, format = std::move(format)]() mutable {
    std::uniform_int_distribution<int> digit(1, 9);
    int whole = digit(rng);
    int tenth = digit(rng);
    return WithCaption(NumberFormatCaption(format(), whole, tenth));
  };
}

// Replaces a selected number by its words; anything else leaves the text
// alone. Only the number itself is replaced: the blanks and line breaks a
// double click or a line selection took with it stay where they were.
void ReplaceNumberByWords(MyRichEdit& editor, int format) {
  if (editor.SelLength() == 0) return;
  std::optional<NumberInText> number = ReadNumber(editor.SelText(), LocaleDecimalSeparator());
  if (!number) return;
  std::optional<std::string> words = NumberToWords(format, number->number);
  if (!words) return;
  const int start = editor.SelStart();
  editor.SetSelection(start + static_cast<int>(number->begin), start + static_cast<int>(number->end));
  ReplaceSelection(editor, *words);
}

void InsertStamp(MyRichEdit& editor, const std::string& text) {
  InsertAtCaret(editor, text);
  editor.SetCaretPos(editor.GetCaretPos());
}

struct TextCommand {
  ActionId id;
  std::string (*transform)(std::string_view);
};

std::string TitleCase(std::string_view text) { return ToTitleCase(text); }
constexpr int kTabWidth = 8;
std::string CollapseBlanks(std::string_view text) { return CollapseSpaces(text, ' '); }

// On the selection, else on the whole text.
constexpr TextCommand kSelectionOrTextCommands[] = {
    {ActionId::TextLatToRusInvert, ConvertLatToRusInvert},
    {ActionId::TextLatToRus, ConvertLatToRus},
    {ActionId::TextRusToLat, ConvertRusToLat},
    {ActionId::TextRegInvert, InvertCase},
    {ActionId::TextRegTitle, TitleCase},
    {ActionId::TextDelCLRF, RemoveLineBreaks},
    {ActionId::TextAddSpace, AddLineIndent},
    {ActionId::TextDelSpace, RemoveLineIndent},
};

// Tab stops are counted from the start of the line, also for a selection
// that begins inside one.
void ExpandTabsInSelectionOrText(MyRichEdit& editor) {
  std::size_t column = 0;
  if (editor.SelLength() != 0)
    column = ColumnAt(editor.ControlText(), static_cast<std::size_t>(editor.SelStart()), kTabWidth);
  TransformSelectionOrText(editor, [column](std::string_view text) { return ExpandTabs(text, kTabWidth, column); });
}

void CollapseBlanksInSelectionOrText(MyRichEdit& editor) { TransformSelectionOrText(editor, CollapseBlanks); }

// On the selection, else on the whole text; an empty document is left
// alone, any other is marked modified.
struct BlankCommand {
  ActionId id;
  void (*run)(MyRichEdit& editor);
};
constexpr BlankCommand kBlankCommands[] = {
    {ActionId::TextReplaceTabToSpace, ExpandTabsInSelectionOrText},
    {ActionId::TextDeleteSpace, CollapseBlanksInSelectionOrText},
};

// On the selection; without one the view scrolls a line.
struct CaseCommand {
  ActionId id;
  std::string (*transform)(std::string_view);
  int scrollCode;
};
constexpr CaseCommand kCaseCommands[] = {
    {ActionId::TextRegUpper, ToUpperCase, SB_LINEUP},
    {ActionId::TextRegLower, ToLowerCase, SB_LINEDOWN},
};

constexpr ActionId kNumberFormats[] = {ActionId::TextNumtoStr1, ActionId::TextNumtoStr2,
                                       ActionId::TextNumtoStr3};
constexpr ActionId kDateFormats[] = {ActionId::TextDate1, ActionId::TextDate2, ActionId::TextDate3,
                                     ActionId::TextDate4};
constexpr ActionId kTimeFormats[] = {ActionId::TextTime1, ActionId::TextTime2, ActionId::TextTime3};

}  // namespace

void TextCommands::InsertDateAndTime() {
  const SettingValues& values = ctx_.settings.Values();
  InsertStamp(ctx_.editor, FormatDateTimeText(values.date_format, values.time_format, LocalNow()));
}

void TextCommands::Bind(ActionRegistry& a) {
  MyRichEdit& editor = ctx_.editor;
  SettingValues& values = ctx_.settings.Values();
  for (const auto& c : kSelectionOrTextCommands)
    a.Bind(c.id, [&editor, f = c.transform] { TransformSelectionOrText(editor, f); });
  for (const auto& c : kBlankCommands) {
    a.Bind(c.id, [&editor, run = c.run] {
      RussianLayoutScope layout(editor);
      if (editor.LineCount() == 0) return;
      run(editor);
      editor.SetModified(true);
    });
  }
  for (const auto& c : kCaseCommands)
    a.Bind(c.id, [&editor, c] { TransformSelectionOrScroll(editor, c.transform, c.scrollCode); });

  // Numbers in words: the format used last is remembered.
  for (ActionId id : kNumberFormats) {
    int format = GetAction(id).tag;
    a.Bind(
        id,
        [&editor, &values, format] {
          RussianLayoutScope layout(editor);
          values.num_to_str_format = format;
          ReplaceNumberByWords(editor, format);
        },
        NumberSampleCaption([format] { return format; }));
  }
  a.Bind(ActionId::TextNumToStr, [&editor, &values] { ReplaceNumberByWords(editor, values.num_to_str_format); },
         NumberSampleCaption([&values] { return values.num_to_str_format; }));

  // Date and time: Shift with a format only makes it the one of Ctrl+D / Ctrl+T.
  a.Bind(ActionId::TextDate, [&editor, &values] { InsertStamp(editor, FormatDateText(values.date_format, LocalNow())); },
         [&values] { return WithCaption(DateFormatCaption(values.date_format, LocalNow())); });
  a.Bind(ActionId::TextTime, [&editor, &values] { InsertStamp(editor, FormatTimeText(values.time_format, LocalNow())); },
         [&values] { return WithCaption(TimeFormatCaption(values.time_format, LocalNow())); });
  for (ActionId id : kDateFormats) {
    int format = GetAction(id).tag;
    a.Bind(
        id,
        [&editor, &values, format] {
          values.date_format = format;
          if (!ShiftHeld()) InsertStamp(editor, FormatDateText(format, LocalNow()));
        },
        [format] { return WithCaption(DateFormatCaption(format, LocalNow())); });
  }
  for (ActionId id : kTimeFormats) {
    int format = GetAction(id).tag;
    a.Bind(
        id,
        [&editor, &values, format] {
          values.time_format = format;
          if (!ShiftHeld()) InsertStamp(editor, FormatTimeText(format, LocalNow()));
        },
        [format] { return WithCaption(TimeFormatCaption(format, LocalNow())); });
  }

  a.Bind(ActionId::EditDeleteLine, [&editor] { DeleteCaretLine(editor); });
  a.Bind(ActionId::EditDeleteAll, [&editor] { DeleteAllText(editor); });
}

}  // namespace quillo

#include "app/find/find_commands.h"

#include <cstdlib>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/editor/russian_layout.h"
#include "app/platform/clipboard.h"
#include "app/platform/keyboard.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "app/platform/wait_cursor.h"
#include "app/platform/window_base.h"
#include "app/settings/settings_store.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"
#include "app/window/window_layout.h"
#include "core/key_map.h"
#include "core/line_ops.h"
#include "core/replace_all.h"
#include "core/shown_text.h"
#include "core/text_matcher.h"
#include "core/text_search.h"

namespace quillo {
namespace {

// Lines the view scrolls past a hit: an eighth of the lines the editor
// shows, plus one, so the found text stands away from the window's edge.
int LinesPastHit(const MyRichEdit& editor) {
  int fontHeight = editor.FontHeightPixels();
  RECT rc{};
  GetWindowRect(editor.Handle(), &rc);
  int lines = fontHeight > 0 ? (rc.bottom - rc.top) / fontHeight : 0;
  return lines / 8 + 1;
}

std::wstring ClipboardText(HWND owner) { return ReadClipboardText(owner).value_or(std::wstring()); }

// The search runs over the Windows-1251 copies of the pattern and the text in
// the document's view; characters the copies cannot hold are matched as
// themselves.
TextMatcher MatcherFor(const MyRichEdit& editor, const std::u16string& pattern, std::u16string_view control,
                       const FindPanelOptions& panel) {
  TextMatcher matcher(Win1251FromShown(pattern, editor.CodePage()),
                      SearchOptions{panel.matchCase, panel.wholeWord});
  matcher.MatchUnits(pattern, control);
  return matcher;
}

}  // namespace

void FindCommands::Create(const Icons& icons) {
  // The panel's buttons run inside its window procedure; an error there ends
  // in the main window's error box.
  auto guarded = [this](void (FindCommands::*handler)()) {
    return [this, handler] { Guarded(ctx_.window, [&] { (this->*handler)(); return 0; }, 0); };
  };
  FindPanelHandlers handlers{guarded(&FindCommands::FindNext), guarded(&FindCommands::Replace),
                             guarded(&FindCommands::ReplaceAll), guarded(&FindCommands::ToggleFindPanel),
                             [this] { SetFocus(ctx_.editor.Handle()); }};
  if (!panel_.Create(ctx_.window, icons, std::move(handlers))) return;
  const SettingValues& values = ctx_.settings.Values();
  panel_.SetOptions({values.find_match_case, values.find_whole_word, values.find_down});
  panel_.LoadHistories(ctx_.settings.Ini());
  ctx_.layout.Dock(panel_.Handle(), false, [this] { return panel_.Height(); });
  // "FindPanel" opens the panel once when the program starts; the settings
  // save writes it off again.
  if (values.find_panel) FindFind();
}

// The histories replace their sections, and the options go with the
// settings save.
void FindCommands::StoreState() {
  if (!panel_.Handle()) return;
  panel_.SaveHistories(ctx_.settings.Ini());
  FindPanelOptions options = panel_.Options();
  SettingValues& values = ctx_.settings.Values();
  values.find_match_case = options.matchCase;
  values.find_whole_word = options.wholeWord;
  values.find_down = options.down;
}

void FindCommands::ApplySettings() {
  if (!panel_.Handle()) return;
  const SettingValues& values = ctx_.settings.Values();
  panel_.SetOptions({values.find_match_case, values.find_whole_word, values.find_down});
}

void FindCommands::ToggleFindPanel() {
  if (!panel_.Handle()) return;
  RussianLayoutScope layout(ctx_.editor);
  bool show = !panel_.Visible();
  if (show) TakeSelectionIntoEmptyField();
  panel_.SetVisible(show);
  ctx_.layout.Relayout();
  if (show) {
    panel_.FocusFindField();
  } else {
    SetFocus(ctx_.editor.Handle());
  }
}

// Inside the Russian-layout bracket.
void FindCommands::TakeSelectionIntoEmptyField() {
  MyRichEdit& editor = ctx_.editor;
  if (panel_.FindText().empty() && editor.SelLength() > 0) panel_.SetFindText(editor.SelText());
}

// Three toggles make one, and the field takes the selection on the way
// whichever way the panel goes: a closing run shows the panel at its second
// toggle. The panel moves once, since each move of the editor's edge re-wraps
// the whole text.
void FindCommands::FindFind() {
  if (!panel_.Handle()) return;
  RussianLayoutScope layout(ctx_.editor);
  TakeSelectionIntoEmptyField();
  ToggleFindPanel();
}

void FindCommands::FocusFindBoxOrFind() {
  if (GetFocus() == ctx_.editor.Handle()) {
    if (panel_.Visible()) {
      panel_.FocusFindField();
    } else {
      FindFind();
    }
  } else if (panel_.Visible()) {
    FindFind();
  }
}

KeyRoute FindCommands::RouteKey(UINT key, std::uint8_t modifiers) {
  if (!panel_.Handle() || !panel_.HasFocus()) return KeyRoute::Lookup;
  if (panel_.HandleKey(key, modifiers)) return KeyRoute::Used;
  // Ctrl+V in a field is the paste action's: it fills the field.
  if (key == 'V' && modifiers == kCtrl) return panel_.FocusedField() ? KeyRoute::Lookup : KeyRoute::ToControl;
  return BelongsToFocusedField(static_cast<int>(key), modifiers) ? KeyRoute::ToControl : KeyRoute::Lookup;
}

bool FindCommands::PasteIntoFocusedField() {
  HWND field = panel_.Handle() ? panel_.FocusedField() : nullptr;
  if (!field) return false;
  panel_.SetFieldText(field, ClipboardText(ctx_.window));
  return true;
}

void FindCommands::FindNext() {
  MyRichEdit& editor = ctx_.editor;
  for (;;) {
    std::string typed = panel_.FindText();
    if (typed.empty()) return;
    RussianLayoutScope layout(editor);
    panel_.AddFindHistory(typed);
    // Text from the clipboard breaks its lines with CR LF; the control's
    // text with a single CR.
    const std::u16string pattern = WithCrBreaks(U16(panel_.FindTextWide()));
    FindPanelOptions panel = panel_.Options();
    // A selected occurrence is stepped over; with nothing selected, one
    // that begins at the caret is found.
    int start = editor.SelStart();
    if (!panel.down) {
      --start;
    } else if (editor.SelLength() > 0) {
      ++start;
    }
    // Searched in memory rather than by the control: Wine's control folds
    // only Latin letters, and "Заменить все" must find the same occurrences.
    const std::u16string control = editor.ControlTextWide();
    TextMatcher matcher = MatcherFor(editor, pattern, control, panel);
    auto found = static_cast<int>(
        FindInText(Win1251FromShown(control, editor.CodePage()), start, matcher, !panel.down));
    if (found >= 0) {
      editor.SetSelection(found, found + static_cast<int>(pattern.size()));
      int lines = LinesPastHit(editor);
      for (int i = 0; i < lines; ++i) editor.ScrollText(panel.down ? SB_LINEDOWN : SB_LINEUP);
      SetFocus(editor.Handle());
      return;
    }
    if (ctx_.Ask("Текст не найден. Изменить направление поиска?", kCaptionQuestion,
                 MB_YESNO | MB_ICONQUESTION) != IDYES) {
      SetFocus(editor.Handle());
      return;
    }
    panel_.SwapDirection();
  }
}

// Replaces the selection when it is exactly the find text, else finds the
// next occurrence; pressing it repeatedly alternates between the two.
void FindCommands::Replace() {
  MyRichEdit& editor = ctx_.editor;
  panel_.AddReplaceHistory(panel_.ReplaceText());
  {
    RussianLayoutScope layout(editor);
    if (WithCrBreaks(U16(panel_.FindTextWide())) == editor.SelTextWide()) {
      editor.SetSelTextWide(U16(panel_.ReplaceTextWide()));
      editor.SetSelStart(editor.SelStart() + editor.SelLength());
    } else {
      FindNext();
    }
  }
  ctx_.status.Update();
}

// Every occurrence from the start of the text forward, whatever the
// direction buttons say. The occurrences are found in memory by a matcher
// (the one "Найти далее" uses), and the new text goes into the control in
// one replacement, one undo step.
void FindCommands::ReplaceAll() {
  MyRichEdit& editor = ctx_.editor;
  std::string typedReplacement = panel_.ReplaceText();
  panel_.AddReplaceHistory(typedReplacement);
  // In the document's view: a pseudo-graphic typed in a DOS-866 view takes its slot.
  const std::u16string replacementUnits = WithCrBreaks(U16(panel_.ReplaceTextWide()));
  const std::string replacement = Win1251FromShown(replacementUnits, editor.CodePage());
  {
    WaitCursor wait;
    RedrawFreeze freeze(editor.Control());
    RussianLayoutScope layout(editor);
    editor.SetSelStart(0);
    const std::u16string pattern = WithCrBreaks(U16(panel_.FindTextWide()));
    if (pattern.empty()) {
      freeze.End();
      ctx_.status.Update();
      return;
    }
    FindPanelOptions panel = panel_.Options();
    const std::u16string control = editor.ControlTextWide();
    const std::string held = Win1251FromShown(control, editor.CodePage());
    TextMatcher matcher = MatcherFor(editor, pattern, control, panel);
    ReplaceAllResult result = PlanReplaceAll(held, replacement, matcher);
    if (result.count > 0) {
      // A replacement the copy holds goes back by a merge; one with
      // characters the copy lacks is put in as typed.
      if (ShownText(replacement, editor.CodePage()) == replacementUnits)
        editor.ReplaceAllText(control, held, result.text, StandIns::MayChange);
      else
        editor.ReplaceAllWide(control, ReplaceAllUnits(control, held, replacementUnits, replacement, matcher));
    }
    editor.SetSelStart(static_cast<int>(result.caret));
    freeze.End();
    editor.ScrollCaret();
    ctx_.Ask(ReplaceAllReport(result.count), kCaptionInformation, MB_OK | MB_ICONINFORMATION);
    SetFocus(editor.Handle());
  }
  ctx_.status.Update();
}

// The tool bar's find drop-down, filled each time it opens.
void FindCommands::FillHistoryMenu(HMENU menu) {
  if (!panel_.Handle() || menu != ctx_.menus.PopUp(MenuId::pmFind)) return;
  // Only the history's own items go: plug-ins may have added theirs here.
  for (int pos = GetMenuItemCount(menu); pos-- > 0;) {
    auto hit = FindRuntimeListItem(static_cast<int>(GetMenuItemID(menu, pos)));
    if (hit && hit->list == RuntimeList::FindHistory) DeleteMenu(menu, static_cast<UINT>(pos), MF_BYPOSITION);
  }
  const RuntimeListInfo& list = GetRuntimeList(RuntimeList::FindHistory);
  const auto& entries = panel_.FindTexts().Entries();
  for (size_t i = 0; i < entries.size() && static_cast<int>(i) < list.capacity; ++i) {
    std::wstring caption = WideFromWin1251(HistoryMenuCaption(entries[i]));
    InsertMenuW(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                static_cast<UINT_PTR>(list.firstCommandId) + i, caption.c_str());
  }
}

// With Shift the entry only fills the field of the shown panel; without,
// it is searched for at once.
void FindCommands::HistoryClick(int index) {
  const auto& entries = panel_.FindTexts().Entries();
  if (index < 0 || static_cast<size_t>(index) >= entries.size()) return;
  std::string entry = entries[static_cast<size_t>(index)];
  if (CurrentModifiers() & kShift) {
    if (!panel_.Visible()) FindFind();
    if (panel_.Visible()) {
      panel_.SetFindText(entry);
      panel_.FocusFindField();
    }
    return;
  }
  panel_.SetFindText(entry);
  FindNext();
}

void FindCommands::FindFromField(const std::wstring& text) {
  panel_.SetFieldText(panel_.FindField(), text);
  FindNext();
}

void FindCommands::FindClipboardText() { FindFromField(ClipboardText(ctx_.window)); }

void FindCommands::Bind(ActionRegistry& a) {
  MyRichEdit& editor = ctx_.editor;
  a.Bind(ActionId::FindFind, [this] { FindFind(); });
  a.Bind(ActionId::FindFindNext, [this] { FindNext(); });
  a.Bind(ActionId::FindClipbrd, [this] { FindClipboardText(); });
  a.Bind(ActionId::FindClipbrdNoDlgCur, [this] { FindClipboardText(); });
  a.Bind(ActionId::FindClipbrdNoDlg, [this, &editor] {
    editor.SetSelStart(0);
    FindClipboardText();
  });
  a.Bind(ActionId::FindSelTextNoDlg, [this, &editor] {
    RussianLayoutScope layout(editor);
    FindFromField(FromU16(editor.SelTextWide()));
  });
  a.Bind(ActionId::FindWordAtCaretNoDlg, [this, &editor] {
    RussianLayoutScope layout(editor);
    FindFromField(WideFromWin1251(editor.WordAtCursor()));
  });
  a.BindList(RuntimeList::FindHistory, [this](int index) { HistoryClick(index); });
  ctx_.menus.AddPopupFiller([this](HMENU menu) { FillHistoryMenu(menu); });
}

}  // namespace quillo

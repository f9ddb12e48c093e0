// The find panel's commands: find next, replace, replace all, the quick
// searches that fill the find field, and the panel's showing and hiding.
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "app/window/main_form.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "core/replace_all.h"
#include "core/text_matcher.h"
#include "core/text_search.h"

namespace quillo {
namespace {

// The Russian-layout bracket, closed also when a step fails.
class LayoutBracket {
 public:
  explicit LayoutBracket(MyRichEdit& editor) : editor_(editor) { editor_.BeginRussianLayout(); }
  ~LayoutBracket() { editor_.EndRussianLayout(); }
  LayoutBracket(const LayoutBracket&) = delete;
  LayoutBracket& operator=(const LayoutBracket&) = delete;

 private:
  MyRichEdit& editor_;
};

// The editor's lines drawn no more, with the hourglass cursor, until the
// object goes.
class LinesUpdate {
 public:
  explicit LinesUpdate(HWND editor)
      : editor_(editor), cursor_(SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)))) {
    SendMessageW(editor_, WM_SETREDRAW, FALSE, 0);
  }
  ~LinesUpdate() { End(); }
  LinesUpdate(const LinesUpdate&) = delete;
  LinesUpdate& operator=(const LinesUpdate&) = delete;
  void End() {
    if (!editor_) return;
    SendMessageW(editor_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor_, nullptr, TRUE);
    SetCursor(cursor_);
    editor_ = nullptr;
  }

 private:
  HWND editor_;
  HCURSOR cursor_;
};

std::wstring ClipboardUnicodeText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Lines the view scrolls past a hit: an eighth of the lines the editor
// shows, plus one, so the found text stands away from the window's edge.
int LinesPastHit(HWND editor) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  HDC dc = GetDC(editor);
  int fontHeight = std::abs(MulDiv(static_cast<int>(format.yHeight), GetDeviceCaps(dc, LOGPIXELSY), 1440));
  ReleaseDC(editor, dc);
  RECT rc{};
  GetWindowRect(editor, &rc);
  int lines = fontHeight > 0 ? (rc.bottom - rc.top) / fontHeight : 0;
  return lines / 8 + 1;
}

}  // namespace

void MainForm::CreateFindPanel() {
  auto guarded = [this](void (MainForm::*handler)()) {
    return [this, handler] {
      try {
        (this->*handler)();
      } catch (const std::exception& e) {
        ShowError(e.what());
      }
    };
  };
  FindPanelHandlers handlers{guarded(&MainForm::FindNextClick), guarded(&MainForm::ReplaceClick),
                             guarded(&MainForm::ReplaceAllClick),
                             guarded(&MainForm::ToggleFindPanel)};
  if (!findPanel_.Create(hwnd_, icons_, std::move(handlers))) return;
  findPanel_.SetOptions({values_.find_match_case, values_.find_whole_word, values_.find_down});
  findPanel_.LoadHistories(settings_);
  Dock(findPanel_.Handle(), false, [this] { return findPanel_.Height(); });
}

// At exit, before the other settings are written: the histories replace
// their sections, and the options go with the settings save.
void MainForm::StoreFindState() {
  if (!findPanel_.Handle()) return;
  findPanel_.SaveHistories(settings_);
  FindPanelOptions options = findPanel_.Options();
  values_.find_match_case = options.matchCase;
  values_.find_whole_word = options.wholeWord;
  values_.find_down = options.down;
}

void MainForm::ToggleFindPanel() {
  if (!findPanel_.Handle()) return;
  LayoutBracket bracket(editor_);
  bool show = !findPanel_.Visible();
  if (show && findPanel_.FindText().empty() && editor_.SelLength() > 0)
    findPanel_.SetFindText(editor_.SelText());
  findPanel_.SetVisible(show);
  LayoutChildren();
  if (show) {
    findPanel_.FocusFindField();
  } else {
    SetFocus(editor_.Handle());
  }
}

// Three toggles make one; the field can take the selection on the way.
void MainForm::FindFind() {
  for (int i = 0; i < 3; ++i) ToggleFindPanel();
}

void MainForm::FocusFindBoxOrFind() {
  if (GetFocus() == editor_.Handle()) {
    if (findPanel_.Visible()) {
      findPanel_.FocusFindField();
    } else {
      FindFind();
    }
  } else if (findPanel_.Visible()) {
    FindFind();
  }
}

// The setting "FindPanel" toggles the panel each time the window becomes active.
void MainForm::ApplyFindPanelOnActivate() {
  if (findPanel_.Handle() && settings_.ReadBool("Options", "FindPanel", false)) FindFind();
}

bool MainForm::FindPanelKey(UINT key) {
  return findPanel_.Handle() && findPanel_.HandleKey(key, CurrentModifiers());
}

// Ctrl+V in one of the panel's fields replaces the field's whole text.
bool MainForm::PasteIntoFindField() {
  HWND field = findPanel_.Handle() ? findPanel_.FocusedField() : nullptr;
  if (!field) return false;
  findPanel_.SetFieldText(field, ClipboardUnicodeText(hwnd_));
  return true;
}

void MainForm::FindNextClick() {
  for (;;) {
    std::string text = findPanel_.FindText();
    if (text.empty()) return;
    LayoutBracket bracket(editor_);
    findPanel_.AddFindHistory(text);
    FindPanelOptions panel = findPanel_.Options();
    int start = editor_.SelStart() + (panel.down ? 1 : -1);
    // Searched in memory rather than by the control: Wine's control folds
    // only Latin letters, and "Заменить все" must find the same occurrences.
    TextMatcher matcher(text, SearchOptions{panel.matchCase, panel.wholeWord});
    auto found = static_cast<int>(FindInText(editor_.ControlText(), start, matcher, !panel.down));
    if (found >= 0) {
      editor_.SetSelection(found, found + static_cast<int>(text.size()));
      int lines = LinesPastHit(editor_.Handle());
      for (int i = 0; i < lines; ++i) editor_.ScrollText(panel.down ? SB_LINEDOWN : SB_LINEUP);
      SetFocus(editor_.Handle());
      return;
    }
    if (ShowMessage(hwnd_, "Текст не найден. Изменить направление поиска?", kCaptionQuestion,
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
      SetFocus(editor_.Handle());
      return;
    }
    findPanel_.SwapDirection();
  }
}

// Replaces the selection when it is exactly the find text, else finds the
// next occurrence; pressing it repeatedly alternates between the two.
void MainForm::ReplaceClick() {
  findPanel_.AddReplaceHistory(findPanel_.ReplaceText());
  {
    LayoutBracket bracket(editor_);
    if (findPanel_.FindText() == editor_.SelText()) {
      editor_.SetSelText(findPanel_.ReplaceText());
      editor_.SetSelStart(editor_.SelStart() + editor_.SelLength());
    } else {
      FindNextClick();
    }
  }
  UpdateStatusBar();
}

// Every occurrence from the start of the text forward, whatever the
// direction buttons say. The occurrences are found in memory by a matcher
// (the one "Найти далее" uses), and the new text goes into the control in
// one replacement, one undo step.
void MainForm::ReplaceAllClick() {
  std::string replacement = findPanel_.ReplaceText();
  findPanel_.AddReplaceHistory(replacement);
  LinesUpdate update(editor_.Handle());
  std::int64_t count = 0;
  {
    LayoutBracket bracket(editor_);
    editor_.SetSelStart(0);
    std::string findText = findPanel_.FindText();
    if (findText.empty()) {
      update.End();
      UpdateStatusBar();
      return;
    }
    FindPanelOptions panel = findPanel_.Options();
    TextMatcher matcher(findText, SearchOptions{panel.matchCase, panel.wholeWord});
    ReplaceAllResult result = PlanReplaceAll(editor_.ControlText(), replacement, matcher);
    count = result.count;
    if (count > 0) editor_.ReplaceAllText(result.text);
    editor_.SetSelStart(static_cast<int>(result.caret));
    update.End();
    SendMessageW(editor_.Handle(), EM_SCROLLCARET, 0, 0);
    ShowMessage(hwnd_, ReplaceAllReport(count), kCaptionInformation, MB_OK | MB_ICONINFORMATION);
    SetFocus(editor_.Handle());
  }
  UpdateStatusBar();
}

// The tool bar's find drop-down: the find history, filled each time it opens.
bool MainForm::FillFindHistoryMenu(HMENU menu) {
  if (!findPanel_.Handle() || menu != menus_.PopUp(MenuId::pmFind)) return false;
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  const RuntimeListInfo& list = GetRuntimeList(RuntimeList::FindHistory);
  const auto& entries = findPanel_.FindTexts().Entries();
  for (size_t i = 0; i < entries.size() && static_cast<int>(i) < list.capacity; ++i) {
    std::wstring caption = WideFromWin1251(HistoryMenuCaption(entries[i]));
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(list.firstCommandId) + i, caption.c_str());
  }
  return true;
}

// With Shift the entry only fills the field of the shown panel; without,
// it is searched for at once.
void MainForm::FindHistoryClick(int index) {
  const auto& entries = findPanel_.FindTexts().Entries();
  if (index < 0 || static_cast<size_t>(index) >= entries.size()) return;
  std::string entry = entries[static_cast<size_t>(index)];
  if (CurrentModifiers() & kShift) {
    if (!findPanel_.Visible()) FindFind();
    if (findPanel_.Visible()) {
      findPanel_.SetFindText(entry);
      findPanel_.FocusFindField();
    }
    return;
  }
  findPanel_.SetFindText(entry);
  FindNextClick();
}

void MainForm::FindFromField(const std::wstring& text) {
  findPanel_.SetFieldText(findPanel_.FindField(), text);
  FindNextClick();
}

void MainForm::FindClipbrd() { FindFromField(ClipboardUnicodeText(hwnd_)); }

void MainForm::BindFindActions() {
  auto& a = actions_;
  auto pasteEnabled = [this] { return ActionState::Enabled(actions_.State(ActionId::EditPaste).enabled); };
  a.Bind(ActionId::FindFind, [this] { FindFind(); });
  a.Bind(ActionId::FindFindNext, [this] { FindNextClick(); });
  a.Bind(ActionId::FindClipbrd, [this] { FindClipbrd(); }, pasteEnabled);
  a.Bind(ActionId::FindClipbrdNoDlgCur, [this] { FindClipbrd(); }, pasteEnabled);
  a.Bind(ActionId::FindClipbrdNoDlg,
         [this] {
           editor_.SetSelStart(0);
           FindClipbrd();
         },
         pasteEnabled);
  a.Bind(ActionId::FindSelTextNoDlg,
         [this] {
           LayoutBracket bracket(editor_);
           FindFromField(WideFromWin1251(editor_.SelText()));
         },
         [this] { return ActionState::Enabled(editor_.SelLength() != 0); });
  a.Bind(ActionId::FindWordAtCaretNoDlg,
         [this] {
           LayoutBracket bracket(editor_);
           FindFromField(WideFromWin1251(editor_.WordAtCursor()));
         },
         [this] { return ActionState::Enabled(!editor_.WordAtCaret().empty()); });
  BindGoToActions();
}

}  // namespace quillo

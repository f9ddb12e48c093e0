#include "app/commands/clipboard_commands.h"

#include <windows.h>

#include <optional>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/editor/russian_layout.h"
#include "app/editor/text_frame.h"
#include "app/platform/clipboard.h"
#include "app/platform/file_dialogs.h"
#include "app/platform/file_io.h"
#include "app/platform/new_window.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"

namespace quillo {
namespace {

[[noreturn]] void ClipboardRefused() {
  throw UserError("Не удалось поместить текст в буфер обмена: его занимает другая программа.");
}

// The commands "Clipbrd+" shows and hides.
constexpr ActionId kExtended[] = {
    ActionId::EditCopyAdd,    ActionId::EditCutAdd,          ActionId::EditSwapClipbrd,
    ActionId::FileSaveClipbrd, ActionId::FindClipbrd,        ActionId::FindClipbrdNoDlgCur,
    ActionId::FindClipbrdNoDlg, ActionId::FileNewFromClipbrd, ActionId::EditCopyAll,
    ActionId::EditCopyFileName, ActionId::EditCutAll,
};

std::wstring SelectionForClipboard(const MyRichEdit& editor) {
  return ClipboardLineBreaks(FromU16(editor.SelTextWide()));
}

}  // namespace

std::wstring ClipboardLineBreaks(std::wstring_view controlText) {
  std::wstring out;
  out.reserve(controlText.size() + controlText.size() / 32);
  for (size_t i = 0; i < controlText.size(); ++i) {
    out.push_back(controlText[i]);
    if (controlText[i] == L'\r' && (i + 1 == controlText.size() || controlText[i + 1] != L'\n'))
      out.push_back(L'\n');
  }
  return out;
}

bool ClipboardCommands::Extended() const { return ctx_.settings.Values().clipbrd_plus; }

void ClipboardCommands::Bind(ActionRegistry& a) {
  for (ActionId id : kExtended) a.ShowWhen(id, [this] { return Extended(); });
  // These three are switched off with the setting too, keys included.
  auto enabledWhenExtended = [this] { return ActionState::Enabled(Extended()); };
  a.Bind(ActionId::EditCopyAdd, [this] { CopyAdd(); }, enabledWhenExtended);
  a.Bind(ActionId::EditCutAdd, [this] { CutAdd(); }, enabledWhenExtended);
  a.Bind(ActionId::EditSwapClipbrd, [this] { Swap(); }, enabledWhenExtended);
  a.Bind(ActionId::EditCopyAll, [this] { CopyAll(); });
  a.Bind(ActionId::EditCutAll, [this] { CutAll(); });
  a.Bind(ActionId::EditCopyFileName, [this] { CopyFileName(); });
  a.Bind(ActionId::FileSaveClipbrd, [this] { SaveClipboardText(); });
  a.Bind(ActionId::FileNewFromClipbrd, [this] { NewWindowWithClipboardText(); });
}

// The clipboard's text followed directly by the selection: no separator.
void ClipboardCommands::CopyAdd() {
  RussianLayoutScope layout(ctx_.editor);
  if (!AppendClipboardText(ctx_.window, SelectionForClipboard(ctx_.editor))) ClipboardRefused();
}

void ClipboardCommands::CutAdd() {
  RussianLayoutScope layout(ctx_.editor);
  if (!AppendClipboardText(ctx_.window, SelectionForClipboard(ctx_.editor))) ClipboardRefused();
  ctx_.editor.SetSelText({});
}

// The selection goes to the clipboard and the clipboard's text takes its
// place, the caret after it.
void ClipboardCommands::Swap() {
  MyRichEdit& editor = ctx_.editor;
  RussianLayoutScope layout(editor);
  std::optional<std::wstring> before = ExchangeClipboardText(ctx_.window, SelectionForClipboard(editor));
  if (!before) ClipboardRefused();
  editor.SetSelTextWide(U16(*before));
  editor.SetSelStart(editor.SelStart() + editor.SelLength());
  editor.ScrollCaret();
}

// The whole text, leaving the caret where it was and nothing selected; the
// text is taken without selecting it, so the view does not move.
void ClipboardCommands::CopyAll() {
  MyRichEdit& editor = ctx_.editor;
  std::u16string text = editor.ControlTextWide();
  if (!WriteClipboardText(ctx_.window, ClipboardLineBreaks(FromU16(text)))) ClipboardRefused();
  if (editor.SelLength() > 0) editor.SetSelStart(editor.SelStart());
}

void ClipboardCommands::CutAll() {
  std::u16string text = ctx_.editor.ControlTextWide();
  if (!WriteClipboardText(ctx_.window, ClipboardLineBreaks(FromU16(text)))) ClipboardRefused();
  DeleteAllText(ctx_.editor);
}

void ClipboardCommands::CopyFileName() {
  if (!WriteClipboardText(ctx_.window, ctx_.document.FileName())) ClipboardRefused();
}

// Written as the clipboard holds it (Windows-1251 bytes, no mark, nothing
// added); a read-only file is overwritten and stays read-only.
void ClipboardCommands::SaveClipboardText() {
  const std::wstring path =
      AskFileToSave(ctx_.window, ctx_.document.DialogFolder(), L"noname.txt", OverwriteQuestion::kAsk);
  if (path.empty()) return;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  std::optional<std::wstring> text;
  {
    RussianLayoutScope layout(ctx_.editor);
    text = ReadClipboardText(ctx_.window);
  }
  WriteFileAtomically(path, Win1251FromWide(text.value_or(std::wstring())));
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(path.c_str(), attributes);
}

// The new window pastes the clipboard's text into a new document: it is
// started with "-c" after this window's settings are written, so that it
// starts with them.
void ClipboardCommands::NewWindowWithClipboardText() {
  SettingsStore& settings = ctx_.settings;
  settings.Set(&SettingValues::file_name, std::string());
  settings.Set(&SettingValues::caret_pos_x, 0);
  settings.Set(&SettingValues::caret_pos_y, 0);
  try {
    settings.Save();
  } catch (const FileError&) {
    // The new window starts with the settings on disk; the exit reports a
    // settings file that cannot be written.
  }
  StartProgramWindow(ctx_.window, L"-c");
}

}  // namespace quillo

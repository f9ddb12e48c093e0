#include "app/document/codepage_commands.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/settings/settings_store.h"
#include "app/window/status_view.h"

namespace quillo {

void CodePageCommands::Bind(ActionRegistry& a) {
  a.Bind(ActionId::CodAutoOpt, [this] { ToggleAutoDetection(); },
         [this] { return ActionState::Checked(ctx_.settings.Values().cod_auto_opt); });
  a.Bind(ActionId::CodAuto, [this] { Detect(); });
  struct Page {
    ActionId id;
    TCodePage page;
  };
  for (Page p : {Page{ActionId::CodWIN, cpWIN}, Page{ActionId::CodDOS, cpDOS}, Page{ActionId::CodKOI, cpKOI}})
    a.Bind(p.id, [this, p] { ShowInCodePage(p.page); },
           [this, p] { return ActionState::Checked(ctx_.editor.CodePage() == p.page); });
}

void CodePageCommands::ToggleAutoDetection() {
  ctx_.settings.Set(&SettingValues::cod_auto_opt, !ctx_.settings.Values().cod_auto_opt);
}

void CodePageCommands::Detect() {
  TCodePage def = ctx_.settings.Values().def_coding;
  // The guess is made on the file's own bytes: the shown text of a document
  // already converted would always look like Windows-1251.
  std::string bytes = ctx_.editor.GetText();
  ConvertFromWinInPlace(bytes, ctx_.editor.CodePage());
  ShowInCodePage(DetectCodePage(bytes, kDetectLimit, def == cpNone ? cpWIN : def));
}

void CodePageCommands::ShowInCodePage(TCodePage page) {
  MyRichEdit& editor = ctx_.editor;
  if (page == cpNone) page = cpWIN;
  if (page != cpWIN && editor.SelLength() > 0) {
    // A fragment pasted in another code page: only it is converted, and the
    // document keeps its code page.
    editor.BeginRussianLayout();
    editor.SetSelText(ConvertText(editor.SelText(), page == cpDOS ? kDosToWin : kKoiToWin));
    editor.EndRussianLayout();
    ctx_.status.Update();
    return;
  }
  TCodePage current = editor.CodePage();
  if (current == page) return;
  // Back to the file's bytes and on to the new view in memory, so the text
  // enters the control once.
  std::string text = editor.GetText();
  ConvertFromWinInPlace(text, current);
  ConvertToWinInPlace(text, page);
  CaretPos caret = editor.GetCaretPos();
  int firstLine = editor.FirstVisibleLine();
  // A switch of the view is no edit: a document that was not modified stays
  // so, and one with unsaved edits keeps them flagged.
  bool modified = editor.Modified();
  {
    RedrawFreeze freeze(editor.Control());
    editor.SetText(text);
    editor.SetCodePage(page);
    editor.SetModified(modified);
    editor.SetCaretPos(caret);
    editor.ScrollLines(firstLine - editor.FirstVisibleLine());
  }
  ctx_.status.Update();
}

}  // namespace quillo

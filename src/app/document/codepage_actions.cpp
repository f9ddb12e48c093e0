// The "Кодировка" commands: the code page the document's bytes are shown in.
#include <windows.h>

#include "app/window/main_form.h"

namespace quillo {

void MainForm::BindCodePageActions() {
  auto& a = actions_;
  a.Bind(ActionId::CodAutoOpt, [this] { CodAutoOptToggle(); },
         [this] { return ActionState::Checked(values_.cod_auto_opt); });
  a.Bind(ActionId::CodAuto, [this] { CodAuto(); });
  struct Page {
    ActionId id;
    TCodePage page;
  };
  for (Page p : {Page{ActionId::CodWIN, cpWIN}, Page{ActionId::CodDOS, cpDOS},
                 Page{ActionId::CodKOI, cpKOI}})
    a.Bind(p.id, [this, p] { ShowInCodePage(p.page); },
           [this, p] { return ActionState::Checked(editor_.CodePage() == p.page); });
}

void MainForm::CodAutoOptToggle() {
  values_.cod_auto_opt = !values_.cod_auto_opt;
  settings_.WriteBool("Options", "CodAutoOpt", values_.cod_auto_opt);
}

void MainForm::CodAuto() {
  TCodePage fallback = values_.def_coding == cpNone ? cpWIN : values_.def_coding;
  ShowInCodePage(DetectCodePage(editor_.GetText(), kDetectLimit, fallback));
}

void MainForm::ShowInCodePage(TCodePage page) {
  if (page == cpNone) page = cpWIN;
  if (page != cpWIN && editor_.SelLength() > 0) {
    // A fragment pasted in another code page: only it is converted, and the
    // document keeps its code page.
    editor_.BeginRussianLayout();
    editor_.SetSelText(ConvertText(editor_.SelText(), page == cpDOS ? kDosToWin : kKoiToWin));
    editor_.EndRussianLayout();
    UpdateStatusBar();
    return;
  }
  TCodePage current = editor_.CodePage();
  if (current == page) return;
  // Back to the file's bytes and on to the new view in memory, so the text
  // enters the control once.
  std::string text = editor_.GetText();
  ConvertFromWinInPlace(text, current);
  ConvertToWinInPlace(text, page);
  CaretPos caret = editor_.GetCaretPos();
  int firstLine = editor_.FirstVisibleLine();
  // A switch of the view is no edit: a document that was not modified stays
  // so, and one with unsaved edits keeps them flagged.
  bool modified = editor_.Modified();
  SendMessageW(editor_.Handle(), WM_SETREDRAW, FALSE, 0);
  editor_.SetText(text);
  editor_.SetCodePage(page);
  editor_.SetModified(modified);
  editor_.SetCaretPos(caret);
  SendMessageW(editor_.Handle(), EM_LINESCROLL, 0, firstLine - editor_.FirstVisibleLine());
  SendMessageW(editor_.Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(editor_.Handle(), nullptr, TRUE);
  UpdateStatusBar();
}

}  // namespace quillo

#include "app/document/codepage_commands.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/platform/error_box.h"
#include "app/platform/message_box.h"
#include "app/settings/settings_store.h"
#include "app/window/status_view.h"
#include "core/file_bytes.h"
#include "core/shown_text.h"

namespace quillo {
namespace {

bool IsUtf8(TextEncoding e) { return e == TextEncoding::Utf8 || e == TextEncoding::Utf8Bom; }
bool IsUtf16(TextEncoding e) { return e == TextEncoding::Utf16LE || e == TextEncoding::Utf16BE; }

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

void CodePageCommands::Bind(ActionRegistry& a) {
  a.Bind(ActionId::CodAutoOpt, [this] { ToggleAutoDetection(); },
         [this] { return ActionState::Checked(ctx_.settings.Values().cod_auto_opt); });
  a.Bind(ActionId::CodAuto, [this] { Detect(); });
  a.Bind(ActionId::CodDefUTF8, [this] { ctx_.settings.Set(&SettingValues::def_utf8, !ctx_.settings.Values().def_utf8); },
         [this] { return ActionState::Checked(ctx_.settings.Values().def_utf8); });
  struct Page {
    ActionId id;
    TCodePage page;
  };
  for (Page p : {Page{ActionId::CodWIN, cpWIN}, Page{ActionId::CodDOS, cpDOS}, Page{ActionId::CodKOI, cpKOI}})
    a.Bind(p.id, [this, p] { ShowInCodePage(p.page); }, [this, p] {
      return ActionState::Checked(ctx_.document.Encoding() == TextEncoding::Ansi && ctx_.editor.CodePage() == p.page);
    });
  a.Bind(ActionId::CodUTF8, [this] { ShowInForm({TextEncoding::Utf8, cpWIN}); },
         [this] { return ActionState::Checked(IsUtf8(ctx_.document.Encoding())); });
  // A UTF-16 file is recognised by its mark; this item only shows it.
  a.Bind(ActionId::CodUTF16, [] {}, [this] {
    ActionState s = ActionState::Checked(IsUtf16(ctx_.document.Encoding()));
    s.enabled = s.checked;
    return s;
  });
}

void CodePageCommands::ToggleAutoDetection() {
  ctx_.settings.Set(&SettingValues::cod_auto_opt, !ctx_.settings.Values().cod_auto_opt);
}

void CodePageCommands::Detect() {
  // A Unicode document was recognised by its bytes already.
  if (ctx_.document.Encoding() != TextEncoding::Ansi) return;
  TCodePage def = ctx_.settings.Values().def_coding;
  // The guess is made on the file's own bytes: the shown text of a document
  // already converted would always look like Windows-1251.
  std::string bytes = EncodeFileText(ctx_.editor.ControlTextWide(), TextEncoding::Ansi, ctx_.editor.CodePage());
  ShowInCodePage(DetectCodePage(bytes, kDetectLimit, def == cpNone ? cpWIN : def));
}

void CodePageCommands::ShowInCodePage(TCodePage page) {
  MyRichEdit& editor = ctx_.editor;
  if (page == cpNone) page = cpWIN;
  if (page != cpWIN && editor.SelLength() > 0) {
    // A fragment pasted in another code page: only it is converted, and the
    // document keeps its code page.
    editor.BeginRussianLayout();
    editor.MergeSelText(ConvertText(editor.SelText(), page == cpDOS ? kDosToWin : kKoiToWin), StandIns::MayChange);
    editor.EndRussianLayout();
    ctx_.status.Update();
    return;
  }
  ShowInForm({TextEncoding::Ansi, page});
}

bool CodePageCommands::AcceptSubstitutes(const EncodeReport& report, FileForm form) {
  std::string examples;
  for (char32_t ch : report.examples) {
    if (!examples.empty()) examples += ", ";
    examples += "«";
    AppendUtf8(examples, ch);
    examples += "»";
  }
  std::string text = "Символов, которых нет в кодировке " + EncodingName(form.encoding, form.page) + ": " +
                     std::to_string(report.count) + " (например: " + examples +
                     "). На их месте будет знак «?». Продолжить?";
  return ctx_.Ask(text, kCaptionWarning, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void CodePageCommands::ShowInForm(FileForm target) {
  MyRichEdit& editor = ctx_.editor;
  Document& document = ctx_.document;
  const FileForm current = document.Form();
  if (current == target || (IsUtf8(current.encoding) && IsUtf8(target.encoding))) return;
  DecodeOptions options;
  options.detect_code_page = false;
  options.code_page = target.page;
  TextEncoding encoding = TextEncoding::Ansi;
  // The old text and its bytes go before the new text goes in: for a large
  // document they are megabytes beside the control's own copy.
  DecodedFile file;
  {
    const std::u16string text = editor.ControlTextWide();
    std::string bytes;
    if (IsUtf16(current.encoding)) {
      // The characters stay; those the code page lacks become '?'.
      EncodeReport report;
      bytes = EncodeFileText(text, target.encoding, target.page, LineBreak::CrLf, &report);
      if (report.count > 0 && !AcceptSubstitutes(report, target)) return;
    } else {
      bytes = EncodeFileText(text, current.encoding, current.page);
    }
    if (target.encoding == TextEncoding::Ansi) {
      options.raw_bytes = true;
    } else {
      const bool marked = std::string_view(bytes).substr(0, kUtf8Mark.size()) == kUtf8Mark;
      const std::string_view body = std::string_view(bytes).substr(marked ? kUtf8Mark.size() : 0);
      if (CheckUtf8(body).error_offset != body.size())
        throw UserError("Текст документа не является текстом в кодировке UTF-8.");
      encoding = marked ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
      options.code_page = cpWIN;
    }
    file = DecodeFileBytes(bytes, options);
  }

  CaretPos caret = editor.GetCaretPos();
  int firstLine = editor.FirstVisibleLine();
  // A switch of the view is no edit: a document that was not modified stays
  // so, and one with unsaved edits keeps them flagged.
  bool modified = editor.Modified();
  {
    RedrawFreeze freeze(editor.Control());
    editor.SetCodePage(options.code_page);
    editor.SetControlText(file.text);
    document.SetEncoding(encoding);
    editor.SetModified(modified);
    editor.SetCaretPos(caret);
    editor.ScrollLines(firstLine - editor.FirstVisibleLine());
  }
  ctx_.status.Update();
}

}  // namespace quillo

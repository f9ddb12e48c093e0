#include "app/plugins/work_plugin.h"

#include "app/app_context.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/editor/russian_layout.h"
#include "app/interop.h"
#include "app/platform/ui_text.h"
#include "app/plugins/plugin_list.h"
#include "app/plugins/plugin_menu_items.h"
#include "app/plugins/plugin_version.h"
#include "app/settings/settings_apply.h"
#include "app/settings/settings_store.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"
#include "app/window/tool_bar.h"

namespace quillo {
namespace {

template <typename T>
NativeHandle ToHandle(T handle) { return reinterpret_cast<NativeHandle>(handle); }

std::int32_t ToInt32(size_t n) { return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<std::int32_t>(n); }

// A font's height in its own units from its size in points: negative, the
// character height in screen pixels.
int HeightForSize(int points) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return -MulDiv(points, dpi, 72);
}

}  // namespace

void WorkPlugIn::AfterEdit() { ctx_.status.Update(); }

std::string WorkPlugIn::SelText() {
  RussianLayoutScope layout(ctx_.editor);
  return ctx_.editor.SelText();
}

void WorkPlugIn::SetSelText(std::string_view text) {
  {
    RussianLayoutScope layout(ctx_.editor);
    ctx_.editor.SetSelText(text);
    // The caret ends after the inserted text, nothing selected.
    ctx_.editor.SetSelStart(ctx_.editor.SelStart() + ctx_.editor.SelLength());
  }
  AfterEdit();
}

std::string WorkPlugIn::DocumentText() {
  RussianLayoutScope layout(ctx_.editor);
  return ctx_.editor.GetText();
}

void WorkPlugIn::SetDocumentText(std::string_view text) {
  {
    RussianLayoutScope layout(ctx_.editor);
    // Only what the plug-in changed replaces the control's characters.
    ctx_.editor.ReplaceAllText(text, StandIns::MayChange);
    ctx_.editor.SetModified(true);
  }
  AfterEdit();
}

NativeHandle WorkPlugIn::MainWindow() { return ToHandle(ctx_.window); }
NativeHandle WorkPlugIn::MainMenu() { return ToHandle(ctx_.menus.MenuBar()); }

// An item belongs to the library its callback lies in; one without a
// callback to the plug-in that is being called.
HMODULE WorkPlugIn::OwnerOf(const PluginMenuItem& item) const {
  HMODULE module = nullptr;
  if (item.callback &&
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(item.callback), &module))
    return module;
  return caller_ ? caller_() : nullptr;
}

std::int32_t WorkPlugIn::AddMenuItem(const PluginMenuItem& item, std::int32_t parent) {
  return items_.Create(item, parent, std::nullopt, OwnerOf(item));
}

std::int32_t WorkPlugIn::InsertMenuItemAt(const PluginMenuItem& item, std::int32_t position,
                                          std::int32_t parent) {
  return items_.Create(item, parent, position, OwnerOf(item));
}

bool WorkPlugIn::ModifyMenuItem(const PluginMenuItem& item, std::int32_t index) {
  return items_.Modify(item, index);
}

bool WorkPlugIn::MenuItemChecked(std::int32_t index) { return items_.Checked(index); }
void WorkPlugIn::SetMenuItemChecked(std::int32_t index, bool value) { items_.SetChecked(index, value); }
bool WorkPlugIn::MenuItemEnabled(std::int32_t index) { return items_.Enabled(index); }
void WorkPlugIn::SetMenuItemEnabled(std::int32_t index, bool value) { items_.SetEnabled(index, value); }
bool WorkPlugIn::DeleteMenuItem(std::int32_t index) { return items_.Delete(index); }

std::string WorkPlugIn::FileName() { return Win1251FromWide(ctx_.document.FileName()); }

void WorkPlugIn::SetFileName(std::string_view name) {
  // Made full and long as the name of an opened file is.
  ctx_.document.SetFileName(WideFromWin1251(name));
  AfterEdit();
}

bool WorkPlugIn::Modified() { return ctx_.editor.Modified(); }

void WorkPlugIn::SetModified(bool value) {
  ctx_.editor.SetModified(value);
  AfterEdit();
}

std::int32_t WorkPlugIn::CaretLine() { return ctx_.editor.GetCaretPos().line; }
std::int32_t WorkPlugIn::CaretColumn() { return ctx_.editor.GetCaretPos().column; }

void WorkPlugIn::SetCaretPosition(std::int32_t column, std::int32_t line) {
  ctx_.editor.SetCaretPos({column, line});
  AfterEdit();
}

std::int32_t WorkPlugIn::SelLength() { return ctx_.editor.SelLength(); }

void WorkPlugIn::SetSelLength(std::int32_t length) {
  ctx_.editor.SetSelLength(length);
  AfterEdit();
}

// The length of the text GetDocumentText gives (a line break counts two).
std::int32_t WorkPlugIn::TextLength() { return ToInt32(ctx_.editor.GetText().size()); }

std::int32_t WorkPlugIn::SelStart() { return ctx_.editor.SelStart(); }

void WorkPlugIn::SetSelStart(std::int32_t position) {
  ctx_.editor.SetSelStart(position);
  AfterEdit();
}

NativeHandle WorkPlugIn::EditorWindow() { return ToHandle(ctx_.editor.Handle()); }

std::string WorkPlugIn::HostVersion() { return quillo::HostVersion(); }

std::string WorkPlugIn::WordAtCursor() {
  RussianLayoutScope layout(ctx_.editor);
  return ctx_.editor.WordAtCursor();
}

std::int32_t WorkPlugIn::WordAtCursorLength() { return ToInt32(ctx_.editor.WordAtCursor().size()); }

void WorkPlugIn::SetCallback(NativeHandle plugin, PluginEvent event, CallbackAddress proc) {
  if (PlugIn* p = plugIns_.FindByHandle(plugin)) p->Proc(event) = proc;
}

CallbackAddress WorkPlugIn::Callback(NativeHandle plugin, PluginEvent event) {
  PlugIn* p = plugIns_.FindByHandle(plugin);
  return p ? p->Proc(event) : 0;
}

PluginFont WorkPlugIn::Font() {
  const CHARFORMAT2W& cf = ctx_.editor.CharFormat();
  PluginFont font;
  font.name = Win1251FromWide(cf.szFaceName);
  font.size = static_cast<std::int32_t>(cf.yHeight / 20);
  font.charset = cf.bCharSet;
  font.color = ColorToSetting(cf.crTextColor);
  font.height = HeightForSize(font.size);
  font.bold = (cf.dwEffects & CFE_BOLD) != 0;
  font.italic = (cf.dwEffects & CFE_ITALIC) != 0;
  font.underline = (cf.dwEffects & CFE_UNDERLINE) != 0;
  font.strikeOut = (cf.dwEffects & CFE_STRIKEOUT) != 0;
  return font;
}

// Name, size, charset and colour, then exactly the styles flagged. The
// height is not applied (the size decides). An empty name or a size below 1
// keeps the present one: neither makes a font.
void WorkPlugIn::SetFont(const PluginFont& font) {
  const CHARFORMAT2W& now = ctx_.editor.CharFormat();
  FontSetting setting = ctx_.settings.Values().font;
  setting.name = font.name.empty() ? Win1251FromWide(now.szFaceName) : font.name;
  setting.size = font.size > 0 ? font.size : static_cast<int>(now.yHeight / 20);
  setting.charset = font.charset & 0xFF;
  setting.color = SettingToColor(font.color);
  setting.style = (font.bold ? unsigned{kFontBold} : 0u) | (font.italic ? unsigned{kFontItalic} : 0u) |
                  (font.underline ? unsigned{kFontUnderline} : 0u) |
                  (font.strikeOut ? unsigned{kFontStrikeOut} : 0u);
  setting.height = HeightForSize(setting.size);
  // The editor's font is the one the settings keep.
  ctx_.settings.Set(&SettingValues::font, setting);
  ctx_.editor.SetFont(WideFromWin1251(setting.name), setting.size, font.bold, font.italic, font.underline,
                      font.strikeOut, setting.color, static_cast<BYTE>(setting.charset));
  AfterEdit();
}

void WorkPlugIn::ReloadSettings() { SendMessageW(ctx_.window, WM_QUILLO_APPLY_SETTINGS, 0, 0); }

void WorkPlugIn::BeginTextUpdate() {
  if (updateDepth_++ == 0) ctx_.editor.Control().SetRedraw(false);
}

void WorkPlugIn::EndTextUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ > 0) return;
  ctx_.editor.Control().SetRedraw(true);
  if (updateEnd_) updateEnd_();
}

void WorkPlugIn::RestoreUpdateDepth(int depth) {
  while (updateDepth_ > depth && updateDepth_ > 0) EndTextUpdate();
}

std::int32_t WorkPlugIn::ReloadBookmarks() {
  return static_cast<std::int32_t>(SendMessageW(ctx_.window, WM_QUILLO_RELOAD_BOOKMARKS, 0, 0));
}

std::string WorkPlugIn::BackgroundColor() { return ColorToSetting(ctx_.editor.Color()).substr(1); }

void WorkPlugIn::SetBackgroundColor(std::string_view color) { ctx_.editor.SetColor(SettingToColor(color)); }

NativeHandle WorkPlugIn::ToolBarWindow() { return ToHandle(toolBar_.Handle()); }
NativeHandle WorkPlugIn::StatusBarWindow() { return ToHandle(ctx_.status.Handle()); }

void WorkPlugIn::Failed(std::string_view method, std::string_view) noexcept {
  try {
    if (report_) report_(method);
  } catch (...) {
  }
}

}  // namespace quillo

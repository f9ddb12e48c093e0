#pragma once
// The host object behind every plug-in's IQuillo pointer (TWorkPlugIn): what
// the program does for a plug-in, over the application context. Texts cross
// as Windows-1251 bytes; the four text methods and the word at the cursor
// run inside the Russian-layout bracket.
#include <windows.h>

#include <functional>

#include "app/plugins/host_services.h"

namespace quillo {

struct AppContext;
class PlugInList;
class PlugInMenuItems;
class ToolBar;

class WorkPlugIn : public HostServices {
 public:
  WorkPlugIn(AppContext& ctx, ToolBar& toolBar, PlugInList& plugIns, PlugInMenuItems& items)
      : ctx_(ctx), toolBar_(toolBar), plugIns_(plugIns), items_(items) {}

  // The library that is being called now: new menu items without a callback
  // belong to it.
  void SetCaller(std::function<HMODULE()> caller) { caller_ = std::move(caller); }
  // Told when a method failed while a plug-in called it.
  void SetFailureReport(std::function<void(std::string_view method)> report) { report_ = std::move(report); }
  // Called when the outermost text update ends.
  void SetUpdateEnd(std::function<void()> onEnd) { updateEnd_ = std::move(onEnd); }

  // The nesting of BeginTextUpdate. A call into a plug-in that faulted
  // leaves it as it was before the call, so a plug-in that dies between
  // Begin and End does not freeze the editor.
  int UpdateDepth() const { return updateDepth_; }
  void RestoreUpdateDepth(int depth);

  std::string SelText() override;
  void SetSelText(std::string_view text) override;
  std::string DocumentText() override;
  void SetDocumentText(std::string_view text) override;
  NativeHandle MainWindow() override;
  NativeHandle MainMenu() override;
  std::int32_t AddMenuItem(const PluginMenuItem& item, std::int32_t parent) override;
  std::int32_t InsertMenuItemAt(const PluginMenuItem& item, std::int32_t position, std::int32_t parent) override;
  bool ModifyMenuItem(const PluginMenuItem& item, std::int32_t index) override;
  bool MenuItemChecked(std::int32_t index) override;
  void SetMenuItemChecked(std::int32_t index, bool value) override;
  bool MenuItemEnabled(std::int32_t index) override;
  void SetMenuItemEnabled(std::int32_t index, bool value) override;
  bool DeleteMenuItem(std::int32_t index) override;
  std::string FileName() override;
  void SetFileName(std::string_view name) override;
  bool Modified() override;
  void SetModified(bool value) override;
  std::int32_t CaretLine() override;
  std::int32_t CaretColumn() override;
  void SetCaretPosition(std::int32_t column, std::int32_t line) override;
  std::int32_t SelLength() override;
  void SetSelLength(std::int32_t length) override;
  std::int32_t TextLength() override;
  std::int32_t SelStart() override;
  void SetSelStart(std::int32_t position) override;
  NativeHandle EditorWindow() override;
  std::string HostVersion() override;
  std::string WordAtCursor() override;
  std::int32_t WordAtCursorLength() override;
  void SetCallback(NativeHandle plugin, PluginEvent event, CallbackAddress proc) override;
  CallbackAddress Callback(NativeHandle plugin, PluginEvent event) override;
  PluginFont Font() override;
  void SetFont(const PluginFont& font) override;
  void ReloadSettings() override;
  void BeginTextUpdate() override;
  void EndTextUpdate() override;
  std::int32_t ReloadBookmarks() override;
  std::string BackgroundColor() override;
  void SetBackgroundColor(std::string_view color) override;
  NativeHandle ToolBarWindow() override;
  NativeHandle StatusBarWindow() override;
  void Failed(std::string_view method, std::string_view reason) noexcept override;

 private:
  HMODULE OwnerOf(const PluginMenuItem& item) const;
  void AfterEdit();

  AppContext& ctx_;
  ToolBar& toolBar_;
  PlugInList& plugIns_;
  PlugInMenuItems& items_;
  std::function<HMODULE()> caller_;
  std::function<void(std::string_view)> report_;
  std::function<void()> updateEnd_;
  int updateDepth_ = 0;
};

}  // namespace quillo

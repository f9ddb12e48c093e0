#pragma once
// A HostServices that writes every call it receives, with its arguments, to
// a log line and answers with fixed, recognisable values.
#include <cstdarg>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "app/plugins/host_services.h"

namespace quillo {

class RecordingHost : public HostServices {
 public:
  std::string log;          // the calls since the last Clear, separated by "; "
  std::string fileName = "C:\\\xC4\xEE\xEA\\\xF4\xE0\xE9\xEB.txt";  // C:\Док\файл.txt
  bool throwNext = false;   // the next call throws std::runtime_error("boom")

  void Clear() { log.clear(); }

  std::string SelText() override { return Answer("SelText", std::string("\xE2\xFB\xE4\xE5\xEB\xE5\xED\xEE")); }
  void SetSelText(std::string_view text) override { Note("SetSelText '%s'", std::string(text).c_str()); }
  std::string DocumentText() override { return Answer("DocumentText", std::string("one\r\ntwo")); }
  void SetDocumentText(std::string_view text) override { Note("SetDocumentText '%s'", std::string(text).c_str()); }
  NativeHandle MainWindow() override { return Answer("MainWindow", NativeHandle{0xA1B2C4}); }
  NativeHandle MainMenu() override { return Answer("MainMenu", NativeHandle{0xC0FFEE}); }

  std::int32_t AddMenuItem(const PluginMenuItem& item, std::int32_t parent) override {
    Note("AddMenuItem %s parent=%d", Item(item).c_str(), parent);
    return 7;
  }
  std::int32_t InsertMenuItemAt(const PluginMenuItem& item, std::int32_t position,
                                std::int32_t parent) override {
    Note("InsertMenuItem %s position=%d parent=%d", Item(item).c_str(), position, parent);
    return 8;
  }
  bool ModifyMenuItem(const PluginMenuItem& item, std::int32_t index) override {
    Note("ModifyMenuItem %s index=%d", Item(item).c_str(), index);
    return index >= 0;
  }
  bool MenuItemChecked(std::int32_t index) override { Note("MenuItemChecked %d", index); return index == 3; }
  void SetMenuItemChecked(std::int32_t index, bool value) override {
    Note("SetMenuItemChecked %d %d", index, value);
  }
  bool MenuItemEnabled(std::int32_t index) override { Note("MenuItemEnabled %d", index); return index == 4; }
  void SetMenuItemEnabled(std::int32_t index, bool value) override {
    Note("SetMenuItemEnabled %d %d", index, value);
  }
  bool DeleteMenuItem(std::int32_t index) override { Note("DeleteMenuItem %d", index); return index == 5; }

  std::string FileName() override { return Answer("FileName", fileName); }
  void SetFileName(std::string_view name) override { Note("SetFileName '%s'", std::string(name).c_str()); }
  bool Modified() override { return Answer("Modified", true); }
  void SetModified(bool value) override { Note("SetModified %d", value); }

  std::int32_t CaretLine() override { return Answer("CaretLine", 41); }
  std::int32_t CaretColumn() override { return Answer("CaretColumn", 17); }
  void SetCaretPosition(std::int32_t column, std::int32_t line) override {
    Note("SetCaretPosition %d %d", column, line);
  }
  std::int32_t SelLength() override { return Answer("SelLength", 5); }
  void SetSelLength(std::int32_t length) override { Note("SetSelLength %d", length); }
  std::int32_t TextLength() override { return Answer("TextLength", 123456); }
  std::int32_t SelStart() override { return Answer("SelStart", 99); }
  void SetSelStart(std::int32_t position) override { Note("SetSelStart %d", position); }
  NativeHandle EditorWindow() override { return Answer("EditorWindow", NativeHandle{0x1234}); }

  std::string HostVersion() override { return Answer("HostVersion", std::string("2.0 build 17")); }
  std::string WordAtCursor() override { return Answer("WordAtCursor", std::string("\xF1\xEB\xEE\xE2\xEE")); }
  std::int32_t WordAtCursorLength() override { return Answer("WordAtCursorLength", 5); }

  void SetCallback(NativeHandle plugin, PluginEvent event, CallbackAddress proc) override {
    Note("SetCallback %#lx %d %#lx", static_cast<unsigned long>(plugin), static_cast<int>(event),
         static_cast<unsigned long>(proc));
  }
  CallbackAddress Callback(NativeHandle plugin, PluginEvent event) override {
    Note("Callback %#lx %d", static_cast<unsigned long>(plugin), static_cast<int>(event));
    return plugin + 0x100 * (static_cast<int>(event) + 1);
  }

  PluginFont Font() override {
    return Answer("Font", PluginFont{"Courier New", 12, 204, "$00FF80", -16, true, false, true, false});
  }
  void SetFont(const PluginFont& f) override {
    Note("SetFont '%s' %d %d '%s' %d %d%d%d%d", f.name.c_str(), f.size, f.charset, f.color.c_str(),
         f.height, f.bold, f.italic, f.underline, f.strikeOut);
  }

  void ReloadSettings() override { Note("ReloadSettings"); }
  void BeginTextUpdate() override { Note("BeginTextUpdate"); }
  void EndTextUpdate() override { Note("EndTextUpdate"); }
  std::int32_t ReloadBookmarks() override { return Answer("ReloadBookmarks", 0); }
  std::string BackgroundColor() override { return Answer("BackgroundColor", std::string("FFFFFF")); }
  void SetBackgroundColor(std::string_view color) override { Note("SetBackgroundColor '%s'", std::string(color).c_str()); }
  NativeHandle ToolBarWindow() override { return Answer("ToolBarWindow", NativeHandle{0x2345}); }
  NativeHandle StatusBarWindow() override { return Answer("StatusBarWindow", NativeHandle{0x3456}); }

  void Failed(std::string_view method, std::string_view reason) noexcept override {
    log += (log.empty() ? "" : "; ") + std::string("Failed ") + std::string(method) + " " +
           std::string(reason);
  }

 private:
  static std::string Item(const PluginMenuItem& item) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "cb=%#lx data=%#lx caption='%s' icon=%#lx shortcut='%s'",
                  static_cast<unsigned long>(item.callback), static_cast<unsigned long>(item.data),
                  item.caption.c_str(), static_cast<unsigned long>(item.icon), item.shortCut.c_str());
    return buf;
  }

  void Note(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    if (throwNext) {
      throwNext = false;
      throw std::runtime_error("boom");
    }
    char buf[600];
    // The slots are entered with foreign stack alignment; GCC's 16-byte
    // alignment of such locals must still hold.
    alignas(16) char aligned[16];
    std::uintptr_t address;
    asm volatile("" : "=r"(address) : "0"(aligned));
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    log += (log.empty() ? "" : "; ") + std::string(buf);
    if (address % 16 != 0) log += " [stack misaligned]";
  }

  template <typename T>
  T Answer(const char* name, T value) {
    Note("%s", name);
    return value;
  }
};

}  // namespace quillo

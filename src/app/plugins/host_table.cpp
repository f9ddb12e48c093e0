#include "app/plugins/host_table.h"

#include <cstring>
#include <exception>
#include <limits>
#include <utility>

// Slots are entered from foreign code. On x86 such callers keep the stack
// aligned to 4 bytes only, while GCC may assume 16 for its SSE spills.
#if QUILLO_X86 && defined(__GNUC__)
#define QUILLO_ENTRY QUILLO_REGCALL __attribute__((force_align_arg_pointer))
#define QUILLO_COM_ENTRY QUILLO_STDCALL __attribute__((force_align_arg_pointer))
#else
#define QUILLO_ENTRY QUILLO_REGCALL
#define QUILLO_COM_ENTRY QUILLO_STDCALL
#endif

namespace quillo {

namespace {

constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002);  // E_NOINTERFACE
constexpr std::int32_t kNullPointer = static_cast<std::int32_t>(0x80004003);  // E_POINTER

std::string Copy(const char* text) { return text ? std::string(text) : std::string(); }

std::int32_t ToInt32(std::size_t n) {
  return n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())
             ? std::numeric_limits<std::int32_t>::max()
             : static_cast<std::int32_t>(n);
}

template <typename T>
NativeHandle ToHandle(T handle) { return reinterpret_cast<NativeHandle>(handle); }

template <typename T>
T FromHandle(NativeHandle handle) { return reinterpret_cast<T>(handle); }

bool SameGuid(const QuilloGuid& a, const QuilloGuid& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

struct HostTable::Thunks {
  static HostTable& Owner(IQuillo* self) { return *reinterpret_cast<Object*>(self)->owner; }

  // Runs one host method; a C++ exception becomes the neutral result.
  template <typename R, typename F>
  static R Call(IQuillo* self, const char* method, R neutral, F&& f) {
    HostTable& t = Owner(self);
    try {
      return f(t.services_);
    } catch (const std::exception& e) {
      t.services_.Failed(method, e.what());
    } catch (...) {
      t.services_.Failed(method, "unknown exception");
    }
    return neutral;
  }

  template <typename F>
  static void Do(IQuillo* self, const char* method, F&& f) {
    Call(self, method, 0, [&](HostServices& s) { f(s); return 0; });
  }

  // Texts go out from one buffer; extraNuls pads the ones documented as
  // followed by further NUL characters.
  template <typename F>
  static const char* Text(IQuillo* self, const char* method, F&& f, std::size_t extraNuls = 0) {
    HostTable& t = Owner(self);
    t.text_.clear();
    Call(self, method, 0, [&](HostServices& s) { t.text_ = f(s); return 0; });
    t.text_.append(extraNuls, '\0');
    return t.text_.c_str();
  }

  static PluginMenuItem Item(QuilloMenuProc callback, std::uintptr_t data, const char* caption,
                             QuilloIcon icon, const char* shortCut) {
    return PluginMenuItem{reinterpret_cast<CallbackAddress>(callback), data, Copy(caption),
                          ToHandle(icon), Copy(shortCut)};
  }

  template <typename Proc>
  static void SetProc(IQuillo* self, const char* method, QuilloModule plugin, PluginEvent event,
                      Proc proc) {
    Do(self, method, [&](HostServices& s) {
      s.SetCallback(ToHandle(plugin), event, reinterpret_cast<CallbackAddress>(proc));
    });
  }

  template <typename Proc>
  static Proc GetProc(IQuillo* self, const char* method, QuilloModule plugin, PluginEvent event) {
    return reinterpret_cast<Proc>(Call(self, method, CallbackAddress{0}, [&](HostServices& s) {
      return s.Callback(ToHandle(plugin), event);
    }));
  }

  // Slots 0-2.
  static std::int32_t QUILLO_COM_ENTRY QueryInterface(IQuillo* self, const QuilloGuid* iid,
                                                      void** object) {
    static const QuilloGuid kIQuillo = QUILLO_IID_IQUILLO;
    static const QuilloGuid kIUnknown = QUILLO_IID_IUNKNOWN;
    if (!object) return kNullPointer;
    *object = nullptr;
    if (!iid) return kNullPointer;
    if (!SameGuid(*iid, kIQuillo) && !SameGuid(*iid, kIUnknown)) return kNoInterface;
    *object = self;
    ++Owner(self).references_;
    return 0;
  }
  static std::uint32_t QUILLO_COM_ENTRY AddRef(IQuillo* self) { return ++Owner(self).references_; }
  // The host's own reference is never given up by a plug-in's Release.
  static std::uint32_t QUILLO_COM_ENTRY Release(IQuillo* self) {
    HostTable& t = Owner(self);
    if (t.references_ > 1) --t.references_;
    return t.references_;
  }

  // Slots 3-8.
  static const char* QUILLO_ENTRY GetSelText(IQuillo* self) {
    return Text(self, "GetSelText", [](HostServices& s) { return s.SelText(); });
  }
  static void QUILLO_ENTRY SetSelText(IQuillo* self, const char* text) {
    std::string copy = Copy(text);
    Do(self, "SetSelText", [&](HostServices& s) { s.SetSelText(copy); });
  }
  static const char* QUILLO_ENTRY GetDocumentText(IQuillo* self) {
    return Text(self, "GetDocumentText", [](HostServices& s) { return s.DocumentText(); });
  }
  static void QUILLO_ENTRY SetDocumentText(IQuillo* self, const char* text) {
    std::string copy = Copy(text);
    Do(self, "SetDocumentText", [&](HostServices& s) { s.SetDocumentText(copy); });
  }
  static QuilloWindow QUILLO_ENTRY GetMainWindow(IQuillo* self) {
    return FromHandle<QuilloWindow>(
        Call(self, "GetMainWindow", NativeHandle{0}, [](HostServices& s) { return s.MainWindow(); }));
  }
  static QuilloMenu QUILLO_ENTRY GetMainMenu(IQuillo* self) {
    return FromHandle<QuilloMenu>(
        Call(self, "GetMainMenu", NativeHandle{0}, [](HostServices& s) { return s.MainMenu(); }));
  }

  // Slots 9-11, declared as the SDK declares them for this architecture.
#if QUILLO_X86
  static std::int32_t QUILLO_ENTRY AddMenuItem(IQuillo* self, QuilloMenuProc callback,
                                               std::uintptr_t data, std::int32_t parent,
                                               const char* shortCut, QuilloIcon icon,
                                               const char* caption) {
#else
  static std::int32_t QUILLO_ENTRY AddMenuItem(IQuillo* self, QuilloMenuProc callback,
                                               std::uintptr_t data, const char* caption,
                                               QuilloIcon icon, const char* shortCut,
                                               std::int32_t parent) {
#endif
    PluginMenuItem item = Item(callback, data, caption, icon, shortCut);
    return Call(self, "AddMenuItem", std::int32_t{-1},
                [&](HostServices& s) { return s.AddMenuItem(item, parent); });
  }
#if QUILLO_X86
  static std::int32_t QUILLO_ENTRY InsertMenuItem(IQuillo* self, QuilloMenuProc callback,
                                                  std::uintptr_t data, std::int32_t parent,
                                                  std::int32_t position, const char* shortCut,
                                                  QuilloIcon icon, const char* caption) {
#else
  static std::int32_t QUILLO_ENTRY InsertMenuItem(IQuillo* self, QuilloMenuProc callback,
                                                  std::uintptr_t data, const char* caption,
                                                  QuilloIcon icon, const char* shortCut,
                                                  std::int32_t position, std::int32_t parent) {
#endif
    PluginMenuItem item = Item(callback, data, caption, icon, shortCut);
    return Call(self, "InsertMenuItem", std::int32_t{-1},
                [&](HostServices& s) { return s.InsertMenuItemAt(item, position, parent); });
  }
#if QUILLO_X86
  static std::int32_t QUILLO_ENTRY ModifyMenuItem(IQuillo* self, QuilloMenuProc callback,
                                                  std::uintptr_t data, std::int32_t index,
                                                  const char* shortCut, QuilloIcon icon,
                                                  const char* caption) {
#else
  static std::int32_t QUILLO_ENTRY ModifyMenuItem(IQuillo* self, QuilloMenuProc callback,
                                                  std::uintptr_t data, const char* caption,
                                                  QuilloIcon icon, const char* shortCut,
                                                  std::int32_t index) {
#endif
    PluginMenuItem item = Item(callback, data, caption, icon, shortCut);
    return Call(self, "ModifyMenuItem", false,
                [&](HostServices& s) { return s.ModifyMenuItem(item, index); }) ? 1 : 0;
  }

  // Slots 12-16.
  static QuilloBool QUILLO_ENTRY GetMenuItemChecked(IQuillo* self, std::int32_t index) {
    return Call(self, "GetMenuItemChecked", false,
                [&](HostServices& s) { return s.MenuItemChecked(index); });
  }
  static void QUILLO_ENTRY SetMenuItemChecked(IQuillo* self, std::int32_t index, QuilloBool value) {
    Do(self, "SetMenuItemChecked", [&](HostServices& s) { s.SetMenuItemChecked(index, value != 0); });
  }
  static QuilloBool QUILLO_ENTRY GetMenuItemEnabled(IQuillo* self, std::int32_t index) {
    return Call(self, "GetMenuItemEnabled", false,
                [&](HostServices& s) { return s.MenuItemEnabled(index); });
  }
  static void QUILLO_ENTRY SetMenuItemEnabled(IQuillo* self, std::int32_t index, QuilloBool value) {
    Do(self, "SetMenuItemEnabled", [&](HostServices& s) { s.SetMenuItemEnabled(index, value != 0); });
  }
  static QuilloBool QUILLO_ENTRY DeleteMenuItem(IQuillo* self, std::int32_t index) {
    return Call(self, "DeleteMenuItem", false,
                [&](HostServices& s) { return s.DeleteMenuItem(index); });
  }

  // Slots 17-21.
  static const char* QUILLO_ENTRY GetFileName(IQuillo* self) {
    const char* name = Text(self, "GetFileName", [](HostServices& s) { return s.FileName(); });
    return *name ? name : nullptr;
  }
  static std::int32_t QUILLO_ENTRY GetFileNameLength(IQuillo* self) {
    return Call(self, "GetFileNameLength", std::int32_t{0},
                [](HostServices& s) { return ToInt32(s.FileName().size()); });
  }
  static void QUILLO_ENTRY SetFileName(IQuillo* self, const char* name) {
    std::string copy = Copy(name);
    Do(self, "SetFileName", [&](HostServices& s) { s.SetFileName(copy); });
  }
  static QuilloBool QUILLO_ENTRY GetModified(IQuillo* self) {
    return Call(self, "GetModified", false, [](HostServices& s) { return s.Modified(); });
  }
  static void QUILLO_ENTRY SetModified(IQuillo* self, QuilloBool value) {
    Do(self, "SetModified", [&](HostServices& s) { s.SetModified(value != 0); });
  }

  // Slots 22-34.
  static std::int32_t QUILLO_ENTRY GetCaretLine(IQuillo* self) {
    return Call(self, "GetCaretLine", std::int32_t{0}, [](HostServices& s) { return s.CaretLine(); });
  }
  static std::int32_t QUILLO_ENTRY GetCaretColumn(IQuillo* self) {
    return Call(self, "GetCaretColumn", std::int32_t{0},
                [](HostServices& s) { return s.CaretColumn(); });
  }
  static void QUILLO_ENTRY SetCaretPosition(IQuillo* self, std::int32_t column, std::int32_t line) {
    Do(self, "SetCaretPosition", [&](HostServices& s) { s.SetCaretPosition(column, line); });
  }
  static std::int32_t QUILLO_ENTRY GetSelTextLength(IQuillo* self) {
    return Call(self, "GetSelTextLength", std::int32_t{0},
                [](HostServices& s) { return s.SelLength(); });
  }
  static void QUILLO_ENTRY SetSelLength(IQuillo* self, std::int32_t length) {
    Do(self, "SetSelLength", [&](HostServices& s) { s.SetSelLength(length); });
  }
  static std::int32_t QUILLO_ENTRY GetTextLength(IQuillo* self) {
    return Call(self, "GetTextLength", std::int32_t{0}, [](HostServices& s) { return s.TextLength(); });
  }
  static QuilloWindow QUILLO_ENTRY GetEditorWindow(IQuillo* self) {
    return FromHandle<QuilloWindow>(Call(self, "GetEditorWindow", NativeHandle{0},
                                         [](HostServices& s) { return s.EditorWindow(); }));
  }
  static const char* QUILLO_ENTRY GetHostVersion(IQuillo* self) {
    return Text(self, "GetHostVersion", [](HostServices& s) { return s.HostVersion(); }, 3);
  }
  static const char* QUILLO_ENTRY GetWordAtCursor(IQuillo* self) {
    return Text(self, "GetWordAtCursor", [](HostServices& s) { return s.WordAtCursor(); }, 3);
  }
  static std::int32_t QUILLO_ENTRY GetWordAtCursorLength(IQuillo* self) {
    return Call(self, "GetWordAtCursorLength", std::int32_t{0},
                [](HostServices& s) { return s.WordAtCursorLength(); });
  }
  static std::int32_t QUILLO_ENTRY GetWordAtCursorLength2(IQuillo* self) {
    return Call(self, "GetWordAtCursorLength2", std::int32_t{0},
                [](HostServices& s) { return s.WordAtCursorLength(); });
  }
  static std::int32_t QUILLO_ENTRY GetSelStart(IQuillo* self) {
    return Call(self, "GetSelStart", std::int32_t{0}, [](HostServices& s) { return s.SelStart(); });
  }
  static void QUILLO_ENTRY SetSelStart(IQuillo* self, std::int32_t position) {
    Do(self, "SetSelStart", [&](HostServices& s) { s.SetSelStart(position); });
  }

  // Slots 35-48.
  static void QUILLO_ENTRY SetKeyDownProc(IQuillo* self, QuilloModule plugin, QuilloKeyProc proc) {
    SetProc(self, "SetKeyDownProc", plugin, PluginEvent::KeyDown, proc);
  }
  static QuilloKeyProc QUILLO_ENTRY GetKeyDownProc(IQuillo* self, QuilloModule plugin) {
    return GetProc<QuilloKeyProc>(self, "GetKeyDownProc", plugin, PluginEvent::KeyDown);
  }
  static void QUILLO_ENTRY SetKeyUpProc(IQuillo* self, QuilloModule plugin, QuilloKeyProc proc) {
    SetProc(self, "SetKeyUpProc", plugin, PluginEvent::KeyUp, proc);
  }
  static QuilloKeyProc QUILLO_ENTRY GetKeyUpProc(IQuillo* self, QuilloModule plugin) {
    return GetProc<QuilloKeyProc>(self, "GetKeyUpProc", plugin, PluginEvent::KeyUp);
  }
  static void QUILLO_ENTRY SetKeyPressProc(IQuillo* self, QuilloModule plugin, QuilloKeyPressProc proc) {
    SetProc(self, "SetKeyPressProc", plugin, PluginEvent::KeyPress, proc);
  }
  static QuilloKeyPressProc QUILLO_ENTRY GetKeyPressProc(IQuillo* self, QuilloModule plugin) {
    return GetProc<QuilloKeyPressProc>(self, "GetKeyPressProc", plugin, PluginEvent::KeyPress);
  }
  static void QUILLO_ENTRY SetChangeProc(IQuillo* self, QuilloModule plugin, QuilloNotifyProc proc) {
    SetProc(self, "SetChangeProc", plugin, PluginEvent::Change, proc);
  }
  static QuilloNotifyProc QUILLO_ENTRY GetChangeProc(IQuillo* self, QuilloModule plugin) {
    return GetProc<QuilloNotifyProc>(self, "GetChangeProc", plugin, PluginEvent::Change);
  }
  static void QUILLO_ENTRY SetFileOpenProc(IQuillo* self, QuilloModule plugin, QuilloFileProc proc) {
    SetProc(self, "SetFileOpenProc", plugin, PluginEvent::FileOpen, proc);
  }
  static QuilloFileProc QUILLO_ENTRY GetFileOpenProc(IQuillo* self, QuilloModule plugin) {
    return GetProc<QuilloFileProc>(self, "GetFileOpenProc", plugin, PluginEvent::FileOpen);
  }
  static void QUILLO_ENTRY SetFileCloseProc(IQuillo* self, QuilloModule plugin, QuilloNotifyProc proc) {
    SetProc(self, "SetFileCloseProc", plugin, PluginEvent::FileClose, proc);
  }
  static QuilloNotifyProc QUILLO_ENTRY GetFileCloseProc(IQuillo* self, QuilloModule plugin) {
    return GetProc<QuilloNotifyProc>(self, "GetFileCloseProc", plugin, PluginEvent::FileClose);
  }
  static void QUILLO_ENTRY SetFileSaveProc(IQuillo* self, QuilloModule plugin, QuilloFileProc proc) {
    SetProc(self, "SetFileSaveProc", plugin, PluginEvent::FileSave, proc);
  }
  static QuilloFileProc QUILLO_ENTRY GetFileSaveProc(IQuillo* self, QuilloModule plugin) {
    return GetProc<QuilloFileProc>(self, "GetFileSaveProc", plugin, PluginEvent::FileSave);
  }

  // Slots 49-50. A null record is ignored.
  static void QUILLO_ENTRY GetFont(IQuillo* self, TPlugInFont* font) {
    if (!font) return;
    HostTable& t = Owner(self);
    PluginFont f = Call(self, "GetFont", PluginFont{}, [](HostServices& s) { return s.Font(); });
    t.fontName_ = std::move(f.name);
    t.fontColor_ = std::move(f.color);
    font->Name = t.fontName_.c_str();
    font->Size = f.size;
    font->Charset = f.charset;
    font->Color = t.fontColor_.c_str();
    font->Height = f.height;
    font->Bold = f.bold;
    font->Italic = f.italic;
    font->Underline = f.underline;
    font->StrikeOut = f.strikeOut;
  }
  static void QUILLO_ENTRY SetFont(IQuillo* self, const TPlugInFont* font) {
    if (!font) return;
    PluginFont f{Copy(font->Name), font->Size,      font->Charset,        Copy(font->Color),
                 font->Height,     font->Bold != 0, font->Italic != 0,    font->Underline != 0,
                 font->StrikeOut != 0};
    Do(self, "SetFont", [&](HostServices& s) { s.SetFont(f); });
  }

  // Slots 51-58.
  static void QUILLO_ENTRY ReloadSettings(IQuillo* self) {
    Do(self, "ReloadSettings", [](HostServices& s) { s.ReloadSettings(); });
  }
  static void QUILLO_ENTRY BeginTextUpdate(IQuillo* self) {
    Do(self, "BeginTextUpdate", [](HostServices& s) { s.BeginTextUpdate(); });
  }
  static void QUILLO_ENTRY EndTextUpdate(IQuillo* self) {
    Do(self, "EndTextUpdate", [](HostServices& s) { s.EndTextUpdate(); });
  }
  static std::int32_t QUILLO_ENTRY ReloadBookmarks(IQuillo* self) {
    return Call(self, "ReloadBookmarks", std::int32_t{0},
                [](HostServices& s) { return s.ReloadBookmarks(); });
  }
  static const char* QUILLO_ENTRY GetBackgroundColor(IQuillo* self) {
    return Text(self, "GetBackgroundColor", [](HostServices& s) { return s.BackgroundColor(); });
  }
  static void QUILLO_ENTRY SetBackgroundColor(IQuillo* self, const char* color) {
    std::string copy = Copy(color);
    Do(self, "SetBackgroundColor", [&](HostServices& s) { s.SetBackgroundColor(copy); });
  }
  static QuilloWindow QUILLO_ENTRY GetToolBarWindow(IQuillo* self) {
    return FromHandle<QuilloWindow>(Call(self, "GetToolBarWindow", NativeHandle{0},
                                         [](HostServices& s) { return s.ToolBarWindow(); }));
  }
  static QuilloWindow QUILLO_ENTRY GetStatusBarWindow(IQuillo* self) {
    return FromHandle<QuilloWindow>(Call(self, "GetStatusBarWindow", NativeHandle{0},
                                         [](HostServices& s) { return s.StatusBarWindow(); }));
  }

  // Designated, so the compiler checks every slot against the SDK's order.
  static constexpr IQuilloVtbl kTable = {
      .QueryInterface = QueryInterface,
      .AddRef = AddRef,
      .Release = Release,
      .GetSelText = GetSelText,
      .SetSelText = SetSelText,
      .GetDocumentText = GetDocumentText,
      .SetDocumentText = SetDocumentText,
      .GetMainWindow = GetMainWindow,
      .GetMainMenu = GetMainMenu,
      .AddMenuItem = AddMenuItem,
      .InsertMenuItem = InsertMenuItem,
      .ModifyMenuItem = ModifyMenuItem,
      .GetMenuItemChecked = GetMenuItemChecked,
      .SetMenuItemChecked = SetMenuItemChecked,
      .GetMenuItemEnabled = GetMenuItemEnabled,
      .SetMenuItemEnabled = SetMenuItemEnabled,
      .DeleteMenuItem = DeleteMenuItem,
      .GetFileName = GetFileName,
      .GetFileNameLength = GetFileNameLength,
      .SetFileName = SetFileName,
      .GetModified = GetModified,
      .SetModified = SetModified,
      .GetCaretLine = GetCaretLine,
      .GetCaretColumn = GetCaretColumn,
      .SetCaretPosition = SetCaretPosition,
      .GetSelTextLength = GetSelTextLength,
      .SetSelLength = SetSelLength,
      .GetTextLength = GetTextLength,
      .GetEditorWindow = GetEditorWindow,
      .GetHostVersion = GetHostVersion,
      .GetWordAtCursor = GetWordAtCursor,
      .GetWordAtCursorLength = GetWordAtCursorLength,
      .GetWordAtCursorLength2 = GetWordAtCursorLength2,
      .GetSelStart = GetSelStart,
      .SetSelStart = SetSelStart,
      .SetKeyDownProc = SetKeyDownProc,
      .GetKeyDownProc = GetKeyDownProc,
      .SetKeyUpProc = SetKeyUpProc,
      .GetKeyUpProc = GetKeyUpProc,
      .SetKeyPressProc = SetKeyPressProc,
      .GetKeyPressProc = GetKeyPressProc,
      .SetChangeProc = SetChangeProc,
      .GetChangeProc = GetChangeProc,
      .SetFileOpenProc = SetFileOpenProc,
      .GetFileOpenProc = GetFileOpenProc,
      .SetFileCloseProc = SetFileCloseProc,
      .GetFileCloseProc = GetFileCloseProc,
      .SetFileSaveProc = SetFileSaveProc,
      .GetFileSaveProc = GetFileSaveProc,
      .GetFont = GetFont,
      .SetFont = SetFont,
      .ReloadSettings = ReloadSettings,
      .BeginTextUpdate = BeginTextUpdate,
      .EndTextUpdate = EndTextUpdate,
      .ReloadBookmarks = ReloadBookmarks,
      .GetBackgroundColor = GetBackgroundColor,
      .SetBackgroundColor = SetBackgroundColor,
      .GetToolBarWindow = GetToolBarWindow,
      .GetStatusBarWindow = GetStatusBarWindow,
  };
};

HostTable::HostTable(HostServices& services)
    : object_{IQuillo{&Thunks::kTable}, this}, services_(services) {}

}  // namespace quillo

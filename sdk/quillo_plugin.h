/*
 * quillo_plugin.h: what a Quillo plug-in receives and may call. C and C++.
 *
 * A plug-in is a DLL in the folder "PlugIns" beside Quillo.exe that exports
 *
 *     QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Execute(IQuillo *host);
 *
 * under the undecorated name "Execute" (32-bit GCC: link with -Wl,--kill-at;
 * MSVC: a .def file with "EXPORTS Execute"). The 32-bit Quillo loads 32-bit
 * plug-ins and the 64-bit Quillo 64-bit ones; a library of the other
 * architecture is skipped like any library that cannot be started.
 *
 * Execute runs once at start-up, once the editor's window and menus exist,
 * before any document is open. It returns normally to say "started"; a
 * plug-in whose Execute faults is unloaded with its menu items.
 * The host pointer stays valid until the program exits; it is handed over
 * without a reference (do not Release it).
 *
 * Rules of the interface:
 *  - Text passed in is NUL-terminated ANSI (Windows-1251 for Cyrillic); the
 *    host copies it at once, the plug-in keeps ownership. A null text counts
 *    as the empty text.
 *  - Text returned is owned by the host and valid until the plug-in's next
 *    call into the interface: copy what you need, never free it.
 *  - Booleans are one byte, 0 or 1 (QuilloBool).
 *  - Positions are zero-based character indices; lines and columns count
 *    from 0.
 *  - Everything runs on the program's one user-interface thread: call the
 *    interface from Execute, a callback, a menu callback or your own windows
 *    on that thread, never from another thread.
 *  - A fault or an exception that leaves a callback or a menu callback is
 *    caught by the host and reported; after three faults in its callbacks a
 *    plug-in gets no more notifications in that session.
 *  - A plug-in is not notified again of what it causes inside its own
 *    callback for the same event.
 */
#ifndef QUILLO_PLUGIN_H
#define QUILLO_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
typedef HWND QuilloWindow;
typedef HMENU QuilloMenu;
typedef HICON QuilloIcon;
typedef HINSTANCE QuilloModule; /* the plug-in's own instance handle */
typedef GUID QuilloGuid;
#else
/* Only the project's own calling-convention test builds this off Windows. */
typedef struct QuilloWindow_ *QuilloWindow;
typedef struct QuilloMenu_ *QuilloMenu;
typedef struct QuilloIcon_ *QuilloIcon;
typedef struct QuilloModule_ *QuilloModule;
typedef struct QuilloGuid {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
} QuilloGuid;
#endif

#ifdef __cplusplus
#define QUILLO_EXTERN_C extern "C"
#else
#define QUILLO_EXTERN_C
#endif

#if defined(__cplusplus) || (defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L)
#define QUILLO_INLINE static inline
#else
#define QUILLO_INLINE static __inline
#endif

/*
 * Calling conventions.
 *
 * 32-bit (x86): callbacks, menu callbacks, Execute and slots 0-2 are stdcall.
 * Slots 3-58 use the register convention: the first three arguments (the
 * interface pointer first) in EAX, EDX, ECX; the rest pushed left to right,
 * so the last one ends nearest the top of the stack; the method pops them;
 * the result in EAX (a boolean in AL). GCC and Clang produce it with
 * regparm(3) + stdcall when the stack arguments are declared in reverse
 * order, which is how slots 9-11 are declared below; call those three
 * through Quillo_AddMenuItem, Quillo_InsertMenuItem, Quillo_ModifyMenuItem
 * (or the C++ members), which take the arguments in their natural order.
 *
 * MSVC has no such convention. With MSVC, build the plug-in with clang-cl
 * (it accepts the GCC attributes) or call slots 3-58 from __asm, e.g. for
 * SetCaretPosition(Column, Line) (slot 24):
 *     __asm { mov eax, host  mov edx, column  mov ecx, line
 *             mov ebx, [eax]  call dword ptr [ebx + 24*4] }
 * and for AddMenuItem (slot 9) push Caption, Icon, ShortCut, Parent in that
 * order after loading EAX = host, EDX = Callback, ECX = Data. Under plain
 * MSVC the slot fields below are declared as untyped pointers so that no
 * wrong call compiles.
 *
 * 64-bit (x64): one convention for everything (the Windows x64 one), slots
 * in the same order, arguments in their natural order.
 */
#if defined(__i386__) || defined(_M_IX86)
#define QUILLO_X86 1
#if defined(__GNUC__) || defined(__clang__)
#define QUILLO_STDCALL __attribute__((stdcall))
#define QUILLO_REGCALL __attribute__((regparm(3), stdcall))
#define QUILLO_HAS_REGCALL 1
#else
#define QUILLO_STDCALL __stdcall
#define QUILLO_HAS_REGCALL 0
#endif
#else
#define QUILLO_X86 0
#define QUILLO_STDCALL
#define QUILLO_REGCALL
#define QUILLO_HAS_REGCALL 1
#endif

#if QUILLO_HAS_REGCALL
#define QUILLO_SLOT(result, name, params) result(QUILLO_REGCALL *name) params
#else
#define QUILLO_SLOT(result, name, params) void *name
#endif

#ifdef _WIN32
#define QUILLO_PLUGIN_EXPORT QUILLO_EXTERN_C __declspec(dllexport)
#else
#define QUILLO_PLUGIN_EXPORT QUILLO_EXTERN_C
#endif

typedef uint8_t QuilloBool;

/* The modifier byte: the keys held when the event happened. */
#define QUILLO_SHIFT 1
#define QUILLO_CTRL 2
#define QUILLO_ALT 4

/* {4CA4E798-0979-43E6-9B01-CE5E273535FB}; QueryInterface also answers IUnknown. */
#define QUILLO_IID_IQUILLO \
  { 0x4CA4E798, 0x0979, 0x43E6, { 0x9B, 0x01, 0xCE, 0x5E, 0x27, 0x35, 0x35, 0xFB } }
#define QUILLO_IID_IUNKNOWN \
  { 0x00000000, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } }

typedef struct IQuillo IQuillo;

/* The export every plug-in provides. */
typedef void(QUILLO_STDCALL *QuilloExecuteProc)(IQuillo *host);

/* Notification callbacks (register them with slots 35-48). Called on the UI
 * thread, one plug-in after the other, in load order. */
/* KeyDownProc, KeyUpProc: virtual-key code and modifier byte. A plug-in
 * cannot change or swallow the key. */
typedef void(QUILLO_STDCALL *QuilloKeyProc)(IQuillo *host, uint16_t key, uint8_t shift);
/* KeyPressProc: the typed character, Windows-1251. */
typedef void(QUILLO_STDCALL *QuilloKeyPressProc)(IQuillo *host, char key);
/* ChangeProc (the text changed), FileCloseProc (the document was closed). */
typedef void(QUILLO_STDCALL *QuilloNotifyProc)(IQuillo *host);
/* FileOpenProc, FileSaveProc: the file's full path, valid during the call. */
typedef void(QUILLO_STDCALL *QuilloFileProc)(IQuillo *host, const char *fileName);

/* A plug-in menu item was chosen: its index, the host, the modifier byte. */
typedef void(QUILLO_STDCALL *QuilloMenuProc)(int32_t itemIndex, IQuillo *host, uint8_t shift);

/*
 * The font record of GetFont (slot 49) and SetFont (slot 50). The plug-in
 * owns the record. GetFont fills Name and Color with host-owned texts (valid
 * until the next call); SetFont reads the texts the plug-in points to.
 *
 *   field       x86 offset  x64 offset
 *   Name         0           0   font name
 *   Size         4           8   size in points
 *   Charset      8          12   Windows charset code, 0-255
 *   Color       12          16   colour text "$RRGGBB" (upper-case hex, red first)
 *   Height      16          24   height in font units (negative: pixels); SetFont ignores it
 *   Bold        20          28   0 or 1
 *   Italic      21          29
 *   Underline   22          30
 *   StrikeOut   23          31
 *   size        24          32
 */
typedef struct TPlugInFont {
  const char *Name;
  int32_t Size;
  int32_t Charset;
  const char *Color;
  int32_t Height;
  uint8_t Bold;
  uint8_t Italic;
  uint8_t Underline;
  uint8_t StrikeOut;
} TPlugInFont;
typedef char QuilloFontLayoutCheck[sizeof(TPlugInFont) == (sizeof(void *) == 4 ? 24 : 32) ? 1 : -1];

/* Parent of AddMenuItem and InsertMenuItem: one of these menus, or the index
 * (0 or more) of an item of yours, which becomes a submenu. */
#define QUILLO_MENU_FILE (-1)           /* "Файл" */
#define QUILLO_MENU_EDIT (-2)           /* "Правка" */
#define QUILLO_MENU_CODING (-3)         /* "Кодировка" */
#define QUILLO_MENU_TEXT (-4)           /* "Текст" */
#define QUILLO_MENU_PLUGINS (-5)        /* "Надстройки" */
#define QUILLO_MENU_VIEW (-6)           /* "Вид" */
#define QUILLO_MENU_HELP (-7)           /* "?" */
#define QUILLO_MENU_BAR (-8)            /* the menu bar: a new top-level menu */
#define QUILLO_MENU_EDITOR_POPUP (-9)   /* the editor's context menu (always appended) */
#define QUILLO_MENU_SAVE_BUTTON (-10)   /* drop-down menu of the Save button */
#define QUILLO_MENU_LINK_POPUP (-11)    /* the link context menu */
#define QUILLO_MENU_TRAY (-12)          /* the notification-area icon's menu */
#define QUILLO_MENU_DATE_BUTTON (-13)   /* -13 to -21: drop-down menus of tool-bar buttons */
#define QUILLO_MENU_TIME_BUTTON (-14)
#define QUILLO_MENU_PRINT_BUTTON (-15)
#define QUILLO_MENU_FIND_BUTTON (-16)
#define QUILLO_MENU_NEW_BUTTON (-17)
#define QUILLO_MENU_COPY_BUTTON (-18)
#define QUILLO_MENU_CUT_BUTTON (-19)
#define QUILLO_MENU_PASTE_BUTTON (-20)
#define QUILLO_MENU_FONT_BUTTON (-21)

/*
 * The method table, in slot order. Slot n is at byte offset n * sizeof(void *).
 * Menu items: ShortCut is a text such as "Ctrl+Shift+F5" (modifiers Shift+,
 * Ctrl+, Alt+ then a key name; empty or unknown = no shortcut); Icon is an
 * HICON copied by the host (0 = none); an item's index is its handle and is
 * never reused.
 */
typedef struct IQuilloVtbl {
  /* 0-2: IUnknown, stdcall. The object lives as long as the program. */
  int32_t(QUILLO_STDCALL *QueryInterface)(IQuillo *self, const QuilloGuid *iid, void **object);
  uint32_t(QUILLO_STDCALL *AddRef)(IQuillo *self);
  uint32_t(QUILLO_STDCALL *Release)(IQuillo *self);

  /* 3-6: the document. */
  QUILLO_SLOT(const char *, GetSelText, (IQuillo * self));
  QUILLO_SLOT(void, SetSelText, (IQuillo * self, const char *text)); /* caret ends after it */
  QUILLO_SLOT(const char *, GetDocumentText, (IQuillo * self));
  QUILLO_SLOT(void, SetDocumentText, (IQuillo * self, const char *text)); /* keeps the caret, sets modified */

  /* 7-8 */
  QUILLO_SLOT(QuilloWindow, GetMainWindow, (IQuillo * self)); /* target of the QM_ messages */
  QUILLO_SLOT(QuilloMenu, GetMainMenu, (IQuillo * self));

  /* 9-11: menu items; returns the new item's index (9, 10), 1 or 0 (11). */
#if QUILLO_X86
  /* The stack arguments in reverse: use the Quillo_ functions below. */
  QUILLO_SLOT(int32_t, AddMenuItem,
              (IQuillo * self, QuilloMenuProc callback, uintptr_t data, int32_t parent,
               const char *shortCut, QuilloIcon icon, const char *caption));
  QUILLO_SLOT(int32_t, InsertMenuItem,
              (IQuillo * self, QuilloMenuProc callback, uintptr_t data, int32_t parent,
               int32_t position, const char *shortCut, QuilloIcon icon, const char *caption));
  QUILLO_SLOT(int32_t, ModifyMenuItem,
              (IQuillo * self, QuilloMenuProc callback, uintptr_t data, int32_t item,
               const char *shortCut, QuilloIcon icon, const char *caption));
#else
  QUILLO_SLOT(int32_t, AddMenuItem,
              (IQuillo * self, QuilloMenuProc callback, uintptr_t data, const char *caption,
               QuilloIcon icon, const char *shortCut, int32_t parent));
  QUILLO_SLOT(int32_t, InsertMenuItem,
              (IQuillo * self, QuilloMenuProc callback, uintptr_t data, const char *caption,
               QuilloIcon icon, const char *shortCut, int32_t position, int32_t parent));
  QUILLO_SLOT(int32_t, ModifyMenuItem,
              (IQuillo * self, QuilloMenuProc callback, uintptr_t data, const char *caption,
               QuilloIcon icon, const char *shortCut, int32_t item));
#endif

  /* 12-16: an invalid or deleted item reads as false and ignores changes. */
  QUILLO_SLOT(QuilloBool, GetMenuItemChecked, (IQuillo * self, int32_t item));
  QUILLO_SLOT(void, SetMenuItemChecked, (IQuillo * self, int32_t item, QuilloBool value));
  QUILLO_SLOT(QuilloBool, GetMenuItemEnabled, (IQuillo * self, int32_t item));
  QUILLO_SLOT(void, SetMenuItemEnabled, (IQuillo * self, int32_t item, QuilloBool value));
  QUILLO_SLOT(QuilloBool, DeleteMenuItem, (IQuillo * self, int32_t item)); /* false while it has sub-items */

  /* 17-21: the document's file and modified flag. */
  QUILLO_SLOT(const char *, GetFileName, (IQuillo * self)); /* null for a new document */
  QUILLO_SLOT(int32_t, GetFileNameLength, (IQuillo * self));
  QUILLO_SLOT(void, SetFileName, (IQuillo * self, const char *name)); /* text and flag untouched */
  QUILLO_SLOT(QuilloBool, GetModified, (IQuillo * self));
  QUILLO_SLOT(void, SetModified, (IQuillo * self, QuilloBool value));

  /* 22-28: caret, selection, lengths. */
  QUILLO_SLOT(int32_t, GetCaretLine, (IQuillo * self));
  QUILLO_SLOT(int32_t, GetCaretColumn, (IQuillo * self));
  QUILLO_SLOT(void, SetCaretPosition, (IQuillo * self, int32_t column, int32_t line));
  QUILLO_SLOT(int32_t, GetSelTextLength, (IQuillo * self));
  QUILLO_SLOT(void, SetSelLength, (IQuillo * self, int32_t length));
  QUILLO_SLOT(int32_t, GetTextLength, (IQuillo * self));
  QUILLO_SLOT(QuilloWindow, GetEditorWindow, (IQuillo * self));

  /* 29-34 */
  QUILLO_SLOT(const char *, GetHostVersion, (IQuillo * self)); /* "2.0 build 17", or empty */
  QUILLO_SLOT(const char *, GetWordAtCursor, (IQuillo * self));
  QUILLO_SLOT(int32_t, GetWordAtCursorLength, (IQuillo * self));
  QUILLO_SLOT(int32_t, GetWordAtCursorLength2, (IQuillo * self)); /* the same as slot 31 */
  QUILLO_SLOT(int32_t, GetSelStart, (IQuillo * self));
  QUILLO_SLOT(void, SetSelStart, (IQuillo * self, int32_t position)); /* empty selection there */

  /* 35-48: notification callbacks of the plug-in whose instance handle is
   * given (pass your own DLL's HINSTANCE); null unregisters. */
  QUILLO_SLOT(void, SetKeyDownProc, (IQuillo * self, QuilloModule plugin, QuilloKeyProc proc));
  QUILLO_SLOT(QuilloKeyProc, GetKeyDownProc, (IQuillo * self, QuilloModule plugin));
  QUILLO_SLOT(void, SetKeyUpProc, (IQuillo * self, QuilloModule plugin, QuilloKeyProc proc));
  QUILLO_SLOT(QuilloKeyProc, GetKeyUpProc, (IQuillo * self, QuilloModule plugin));
  QUILLO_SLOT(void, SetKeyPressProc, (IQuillo * self, QuilloModule plugin, QuilloKeyPressProc proc));
  QUILLO_SLOT(QuilloKeyPressProc, GetKeyPressProc, (IQuillo * self, QuilloModule plugin));
  QUILLO_SLOT(void, SetChangeProc, (IQuillo * self, QuilloModule plugin, QuilloNotifyProc proc));
  QUILLO_SLOT(QuilloNotifyProc, GetChangeProc, (IQuillo * self, QuilloModule plugin));
  QUILLO_SLOT(void, SetFileOpenProc, (IQuillo * self, QuilloModule plugin, QuilloFileProc proc));
  QUILLO_SLOT(QuilloFileProc, GetFileOpenProc, (IQuillo * self, QuilloModule plugin));
  QUILLO_SLOT(void, SetFileCloseProc, (IQuillo * self, QuilloModule plugin, QuilloNotifyProc proc));
  QUILLO_SLOT(QuilloNotifyProc, GetFileCloseProc, (IQuillo * self, QuilloModule plugin));
  QUILLO_SLOT(void, SetFileSaveProc, (IQuillo * self, QuilloModule plugin, QuilloFileProc proc));
  QUILLO_SLOT(QuilloFileProc, GetFileSaveProc, (IQuillo * self, QuilloModule plugin));

  /* 49-50: the editor's font (see TPlugInFont). */
  QUILLO_SLOT(void, GetFont, (IQuillo * self, TPlugInFont *font));
  QUILLO_SLOT(void, SetFont, (IQuillo * self, const TPlugInFont *font));

  /* 51-58 */
  QUILLO_SLOT(void, ReloadSettings, (IQuillo * self)); /* from memory, all but the background */
  QUILLO_SLOT(void, BeginTextUpdate, (IQuillo * self)); /* holds painting; nests */
  QUILLO_SLOT(void, EndTextUpdate, (IQuillo * self));
  QUILLO_SLOT(int32_t, ReloadBookmarks, (IQuillo * self));
  QUILLO_SLOT(const char *, GetBackgroundColor, (IQuillo * self)); /* "RRGGBB" */
  QUILLO_SLOT(void, SetBackgroundColor, (IQuillo * self, const char *color)); /* bad text: black */
  QUILLO_SLOT(QuilloWindow, GetToolBarWindow, (IQuillo * self));
  QUILLO_SLOT(QuilloWindow, GetStatusBarWindow, (IQuillo * self));
} IQuilloVtbl;

typedef char QuilloVtblLayoutCheck[sizeof(IQuilloVtbl) == 59 * sizeof(void *) ? 1 : -1];

#if QUILLO_HAS_REGCALL
/* Slots 9-11 with the arguments in their natural order, on both architectures. */
QUILLO_INLINE int32_t Quillo_AddMenuItem(IQuillo *host, QuilloMenuProc callback, uintptr_t data,
                                         const char *caption, QuilloIcon icon,
                                         const char *shortCut, int32_t parent);
QUILLO_INLINE int32_t Quillo_InsertMenuItem(IQuillo *host, QuilloMenuProc callback, uintptr_t data,
                                            const char *caption, QuilloIcon icon,
                                            const char *shortCut, int32_t position, int32_t parent);
QUILLO_INLINE int32_t Quillo_ModifyMenuItem(IQuillo *host, QuilloMenuProc callback, uintptr_t data,
                                            const char *caption, QuilloIcon icon,
                                            const char *shortCut, int32_t item);
#endif

struct IQuillo {
  const IQuilloVtbl *lpVtbl;

#if defined(__cplusplus) && QUILLO_HAS_REGCALL
  /* C++: the slots as members, arguments in their natural order. */
  const char *GetSelText() { return lpVtbl->GetSelText(this); }
  void SetSelText(const char *text) { lpVtbl->SetSelText(this, text); }
  const char *GetDocumentText() { return lpVtbl->GetDocumentText(this); }
  void SetDocumentText(const char *text) { lpVtbl->SetDocumentText(this, text); }
  QuilloWindow GetMainWindow() { return lpVtbl->GetMainWindow(this); }
  QuilloMenu GetMainMenu() { return lpVtbl->GetMainMenu(this); }
  int32_t AddMenuItem(QuilloMenuProc callback, uintptr_t data, const char *caption, QuilloIcon icon,
                      const char *shortCut, int32_t parent) {
    return Quillo_AddMenuItem(this, callback, data, caption, icon, shortCut, parent);
  }
  int32_t InsertMenuItem(QuilloMenuProc callback, uintptr_t data, const char *caption,
                         QuilloIcon icon, const char *shortCut, int32_t position, int32_t parent) {
    return Quillo_InsertMenuItem(this, callback, data, caption, icon, shortCut, position, parent);
  }
  bool ModifyMenuItem(QuilloMenuProc callback, uintptr_t data, const char *caption, QuilloIcon icon,
                      const char *shortCut, int32_t item) {
    return Quillo_ModifyMenuItem(this, callback, data, caption, icon, shortCut, item) != 0;
  }
  bool GetMenuItemChecked(int32_t item) { return lpVtbl->GetMenuItemChecked(this, item) != 0; }
  void SetMenuItemChecked(int32_t item, bool value) { lpVtbl->SetMenuItemChecked(this, item, value); }
  bool GetMenuItemEnabled(int32_t item) { return lpVtbl->GetMenuItemEnabled(this, item) != 0; }
  void SetMenuItemEnabled(int32_t item, bool value) { lpVtbl->SetMenuItemEnabled(this, item, value); }
  bool DeleteMenuItem(int32_t item) { return lpVtbl->DeleteMenuItem(this, item) != 0; }
  const char *GetFileName() { return lpVtbl->GetFileName(this); }
  int32_t GetFileNameLength() { return lpVtbl->GetFileNameLength(this); }
  void SetFileName(const char *name) { lpVtbl->SetFileName(this, name); }
  bool GetModified() { return lpVtbl->GetModified(this) != 0; }
  void SetModified(bool value) { lpVtbl->SetModified(this, value); }
  int32_t GetCaretLine() { return lpVtbl->GetCaretLine(this); }
  int32_t GetCaretColumn() { return lpVtbl->GetCaretColumn(this); }
  void SetCaretPosition(int32_t column, int32_t line) { lpVtbl->SetCaretPosition(this, column, line); }
  int32_t GetSelTextLength() { return lpVtbl->GetSelTextLength(this); }
  void SetSelLength(int32_t length) { lpVtbl->SetSelLength(this, length); }
  int32_t GetTextLength() { return lpVtbl->GetTextLength(this); }
  QuilloWindow GetEditorWindow() { return lpVtbl->GetEditorWindow(this); }
  const char *GetHostVersion() { return lpVtbl->GetHostVersion(this); }
  const char *GetWordAtCursor() { return lpVtbl->GetWordAtCursor(this); }
  int32_t GetWordAtCursorLength() { return lpVtbl->GetWordAtCursorLength(this); }
  int32_t GetSelStart() { return lpVtbl->GetSelStart(this); }
  void SetSelStart(int32_t position) { lpVtbl->SetSelStart(this, position); }
  void SetKeyDownProc(QuilloModule plugin, QuilloKeyProc proc) { lpVtbl->SetKeyDownProc(this, plugin, proc); }
  QuilloKeyProc GetKeyDownProc(QuilloModule plugin) { return lpVtbl->GetKeyDownProc(this, plugin); }
  void SetKeyUpProc(QuilloModule plugin, QuilloKeyProc proc) { lpVtbl->SetKeyUpProc(this, plugin, proc); }
  QuilloKeyProc GetKeyUpProc(QuilloModule plugin) { return lpVtbl->GetKeyUpProc(this, plugin); }
  void SetKeyPressProc(QuilloModule plugin, QuilloKeyPressProc proc) { lpVtbl->SetKeyPressProc(this, plugin, proc); }
  QuilloKeyPressProc GetKeyPressProc(QuilloModule plugin) { return lpVtbl->GetKeyPressProc(this, plugin); }
  void SetChangeProc(QuilloModule plugin, QuilloNotifyProc proc) { lpVtbl->SetChangeProc(this, plugin, proc); }
  QuilloNotifyProc GetChangeProc(QuilloModule plugin) { return lpVtbl->GetChangeProc(this, plugin); }
  void SetFileOpenProc(QuilloModule plugin, QuilloFileProc proc) { lpVtbl->SetFileOpenProc(this, plugin, proc); }
  QuilloFileProc GetFileOpenProc(QuilloModule plugin) { return lpVtbl->GetFileOpenProc(this, plugin); }
  void SetFileCloseProc(QuilloModule plugin, QuilloNotifyProc proc) { lpVtbl->SetFileCloseProc(this, plugin, proc); }
  QuilloNotifyProc GetFileCloseProc(QuilloModule plugin) { return lpVtbl->GetFileCloseProc(this, plugin); }
  void SetFileSaveProc(QuilloModule plugin, QuilloFileProc proc) { lpVtbl->SetFileSaveProc(this, plugin, proc); }
  QuilloFileProc GetFileSaveProc(QuilloModule plugin) { return lpVtbl->GetFileSaveProc(this, plugin); }
  void GetFont(TPlugInFont *font) { lpVtbl->GetFont(this, font); }
  void SetFont(const TPlugInFont *font) { lpVtbl->SetFont(this, font); }
  void ReloadSettings() { lpVtbl->ReloadSettings(this); }
  void BeginTextUpdate() { lpVtbl->BeginTextUpdate(this); }
  void EndTextUpdate() { lpVtbl->EndTextUpdate(this); }
  int32_t ReloadBookmarks() { return lpVtbl->ReloadBookmarks(this); }
  const char *GetBackgroundColor() { return lpVtbl->GetBackgroundColor(this); }
  void SetBackgroundColor(const char *color) { lpVtbl->SetBackgroundColor(this, color); }
  QuilloWindow GetToolBarWindow() { return lpVtbl->GetToolBarWindow(this); }
  QuilloWindow GetStatusBarWindow() { return lpVtbl->GetStatusBarWindow(this); }
#endif
};

#if QUILLO_HAS_REGCALL
QUILLO_INLINE int32_t Quillo_AddMenuItem(IQuillo *host, QuilloMenuProc callback, uintptr_t data,
                                         const char *caption, QuilloIcon icon,
                                         const char *shortCut, int32_t parent) {
#if QUILLO_X86
  return host->lpVtbl->AddMenuItem(host, callback, data, parent, shortCut, icon, caption);
#else
  return host->lpVtbl->AddMenuItem(host, callback, data, caption, icon, shortCut, parent);
#endif
}

QUILLO_INLINE int32_t Quillo_InsertMenuItem(IQuillo *host, QuilloMenuProc callback, uintptr_t data,
                                            const char *caption, QuilloIcon icon,
                                            const char *shortCut, int32_t position, int32_t parent) {
#if QUILLO_X86
  return host->lpVtbl->InsertMenuItem(host, callback, data, parent, position, shortCut, icon, caption);
#else
  return host->lpVtbl->InsertMenuItem(host, callback, data, caption, icon, shortCut, position, parent);
#endif
}

QUILLO_INLINE int32_t Quillo_ModifyMenuItem(IQuillo *host, QuilloMenuProc callback, uintptr_t data,
                                            const char *caption, QuilloIcon icon,
                                            const char *shortCut, int32_t item) {
#if QUILLO_X86
  return host->lpVtbl->ModifyMenuItem(host, callback, data, item, shortCut, icon, caption);
#else
  return host->lpVtbl->ModifyMenuItem(host, callback, data, caption, icon, shortCut, item);
#endif
}
#endif

/*
 * Command messages: send them to GetMainWindow() (SendMessage waits until
 * the command, dialogs included, has finished). Each runs the menu command
 * as if chosen; the result is 1 when it ran, 0 when it was disabled or had
 * nothing to act on. "Low byte" means only bits 0-7 of wParam count.
 */
#define QUILLO_WM_USER 0x0400
#define QM_FILENEW (QUILLO_WM_USER + 501)           /* "Создать" */
#define QM_FILENEWWINDOW (QUILLO_WM_USER + 502)     /* "Создать в новом окне…" */
#define QM_FILEOPEN (QUILLO_WM_USER + 503)          /* wParam 0: "Открыть…"; n >= 1: recent file n (0 = newest) */
#define QM_FILEOPENNEWWINDOW (QUILLO_WM_USER + 504) /* "Открыть в новом окне…" */
#define QM_FILESAVE (QUILLO_WM_USER + 505)          /* wParam 0 save; 1 Windows-1251, 2 DOS-866, 3 KOI8-R; other: as 1 */
#define QM_FILESAVEAS (QUILLO_WM_USER + 506)        /* "Сохранить как…" */
#define QM_FILEINSERTFROM (QUILLO_WM_USER + 507)    /* "Вставить из…" */
#define QM_FILESAVEAS2 (QUILLO_WM_USER + 508)       /* the same as QM_FILESAVEAS */
#define QM_PAGESETUP (QUILLO_WM_USER + 509)         /* "Параметры страницы…" */
#define QM_PRINT (QUILLO_WM_USER + 510)             /* wParam 0: print; otherwise print the selection */
#define QM_UNDO (QUILLO_WM_USER + 511)              /* wParam: count; result of the last run, 0 when none */
#define QM_REDO (QUILLO_WM_USER + 512)              /* wParam: count */
#define QM_CUT (QUILLO_WM_USER + 513)
#define QM_CUTADD (QUILLO_WM_USER + 514)            /* cut and append to the clipboard */
#define QM_COPY (QUILLO_WM_USER + 515)
#define QM_COPYADD (QUILLO_WM_USER + 516)           /* copy and append to the clipboard */
#define QM_PASTE (QUILLO_WM_USER + 517)
#define QM_SWAPCLIPBOARD (QUILLO_WM_USER + 518)
#define QM_DELETE (QUILLO_WM_USER + 519)
#define QM_SELECTALL (QUILLO_WM_USER + 520)
#define QM_FIND (QUILLO_WM_USER + 521)              /* "Найти/заменить…" */
#define QM_FINDNEXT (QUILLO_WM_USER + 522)
#define QM_FIND2 (QUILLO_WM_USER + 523)             /* the same as QM_FIND */
#define QM_GOTOLINE (QUILLO_WM_USER + 524)          /* "Перейти…" */
#define QM_AUTOCODEPAGE (QUILLO_WM_USER + 525)      /* low byte: automatic code-page choice on/off; result 0 */
#define QM_DETECTCODEPAGE (QUILLO_WM_USER + 526)    /* "Определить" */
#define QM_CODEPAGE (QUILLO_WM_USER + 527)          /* wParam 0 Windows-1251, 1 DOS-866, 2 KOI8-R; other: as 0 */
#define QM_BOOKMARKADD (QUILLO_WM_USER + 528)
#define QM_BOOKMARKDELETE (QUILLO_WM_USER + 529)
#define QM_WORDWRAP (QUILLO_WM_USER + 530)          /* low byte: on/off, not stored; result 0 */
#define QM_TOOLBAR (QUILLO_WM_USER + 531)           /* low byte: shown/hidden; result 0 */
#define QM_STATUSBAR (QUILLO_WM_USER + 532)         /* low byte: shown/hidden; result 0 */
#define QM_FULLSCREEN (QUILLO_WM_USER + 533)        /* low byte: on/off; result 0 */
#define QM_FONT (QUILLO_WM_USER + 534)              /* wParam 0: font dialog; 1-4: font preset n */
#define QM_BACKGROUND (QUILLO_WM_USER + 535)        /* wParam 0: colour dialog; else lParam (RGB) at once, result 0 */
#define QM_OPTIONS (QUILLO_WM_USER + 536)           /* "Настройки…" */
#define QM_READONLY (QUILLO_WM_USER + 537)          /* low byte: read-only mode on/off; result 0 */

/* The main window's private messages, used between instances. */
#define WM_TRAYNOTIFY (QUILLO_WM_USER + 100)        /* from the notification-area icon */
#define WM_SAVEDOCUMENT (QUILLO_WM_USER + 101)      /* runs "Сохранить" */
#define WM_ACTIVATEINSTANCE (QUILLO_WM_USER + 200)  /* brings the window to the front */
#define WM_RELOADBOOKMARKS (QUILLO_WM_USER + 300)   /* re-reads the bookmark file */
#define WM_RELOADSETTINGS (QUILLO_WM_USER + 400)    /* applies the settings again */

#endif /* QUILLO_PLUGIN_H */

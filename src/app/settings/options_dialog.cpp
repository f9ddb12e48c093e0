#include "app/settings/options_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <functional>
#include <span>

#include "app/platform/input_box.h"
#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"
#include "app/platform/window_base.h"
#include "core/options_choices.h"

namespace quillo {
namespace {

constexpr int kClientWidth = 361;
constexpr int kClientHeight = 377;
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
constexpr int kLeft = 14;
constexpr int kWidth = 333;

enum ControlId : int {
  kTabs = 1000,
  kAutoSave, kPasteIns, kHistoryCount, kFileManager, kBrowse, kSaveCoding0 = 1020, kDefCoding0 = 1040,
  kOpenStrat0 = 1060,
  kOpenWith = 1100, kExtList, kCheckAll, kCheckNone, kAddExt, kDeleteExt, kIconChange,
  kPlugIns = 1200, kOpenPlugIns,
  kTitleType0 = 1300, kMinToTray = 1310, kUrl, kHints, kClipbrdPlus, kIconsInMenus, kShowShortCut, kPopupSimple,
  kFontDefLabel = 1400, kFontDef, kFontLabel1 = 1410, kFont1 = 1420,
  kFsToolBar = 1500, kFsScrollBar, kFsStatusBar, kFsMenu, kRoEnable, kScrollLock, kRoBackground, kSavePosition,
  kDefFileName,
};

const char* const kPageNames[] = {"Общие", "Привязка к файлам", "Надстройки", "Вид", "Шрифт", "Дополнительно"};
constexpr int kPageCount = 6;

std::wstring LowerCase(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

void SortExtensions(std::vector<ExtensionLine>& lines) {
  std::stable_sort(lines.begin(), lines.end(), [](const ExtensionLine& a, const ExtensionLine& b) {
    return LowerCase(a.ext) < LowerCase(b.ext);
  });
}

// A font as a label draws it.
HFONT MakeFont(const FontSetting& font) {
  WindowDC screen(nullptr);
  int size = font.size > 0 ? font.size : 12;
  return CreateFontW(-MulDiv(size, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0,
                     (font.style & kFontBold) ? FW_BOLD : FW_NORMAL, (font.style & kFontItalic) ? TRUE : FALSE,
                     (font.style & kFontUnderline) ? TRUE : FALSE, (font.style & kFontStrikeOut) ? TRUE : FALSE,
                     static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH, WideFromWin1251(font.name).c_str());
}

constexpr wchar_t kDialogProperty[] = L"QuilloOptionsDialog";

class OptionsDialog {
 public:
  OptionsDialog(OptionsFields fields, OptionsDialogHost& host) : fields_(std::move(fields)), host_(host) {}

  const OptionsFields& Fields() const { return fields_; }

  // Ctrl+Tab and Ctrl+Shift+Tab (and Ctrl+PageDown/PageUp) turn the pages,
  // as in any dialog with pages; the dialog manager alone would take
  // Ctrl+Tab for Tab.
  bool TurnPage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (GetKeyState(VK_CONTROL) & 0x8000) == 0) return false;
    int step = 0;
    if (msg.wParam == VK_TAB) step = (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
    if (msg.wParam == VK_NEXT) step = 1;
    if (msg.wParam == VK_PRIOR) step = -1;
    if (step == 0) return false;
    ShowPage((TabCtrl_GetCurSel(tabs_) + step + kPageCount) % kPageCount);
    SetFocus(tabs_);
    return true;
  }

  INT_PTR Handle(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case WM_INITDIALOG:
        dialog_ = dialog;
        SetPropW(dialog, kDialogProperty, this);
        Build();
        Fill();
        ShowPage(0);
        SetFocus(tabs_);
        return FALSE;
      case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
          ShowPage(TabCtrl_GetCurSel(tabs_));
          return TRUE;
        }
        break;
      }
      case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED || HIWORD(wp) == 0) return OnCommand(LOWORD(wp));
        break;
      default:
        break;
    }
    return FALSE;
  }

 private:
  // ---- building ----
  HWND Add(int page, const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w, int h,
           int id = -1, DWORD exStyle = 0) {
    HWND child = CreateWindowExW(exStyle, cls, Wide(text).c_str(), WS_CHILD | style, x, y, w, h, dialog_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog_, GWLP_HINSTANCE)), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (page >= 0) pages_[static_cast<size_t>(page)].push_back(child);
    return child;
  }
  HWND Check(int page, const std::string& text, int id, int y, const std::string& hint = {}) {
    HWND box = Add(page, L"BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kLeft + 8, y, kWidth - 16, 20, id);
    if (!hint.empty()) AddHint(box, hint);
    return box;
  }
  // A group box with its radio buttons; returns the bottom edge.
  int Radios(int page, const std::string& caption, std::span<const std::string> items, int firstId, int x, int y,
             int w) {
    const int height = 22 + 20 * static_cast<int>(items.size());
    Add(page, L"BUTTON", caption, BS_GROUPBOX | WS_GROUP, x, y, w, height);
    for (size_t i = 0; i < items.size(); ++i)
      Add(page, L"BUTTON", items[i], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), x + 10,
          y + 18 + 20 * static_cast<int>(i), w - 16, 18, firstId + static_cast<int>(i));
    return y + height;
  }
  void AddHint(HWND control, const std::string& text) {
    hintTexts_.push_back(Wide(text));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = hintTexts_.back().data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  void Build() {
    SetWindowTextW(dialog_, Wide("Настройки").c_str());
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, dialog_,
                            nullptr, nullptr, nullptr);
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 600);
    tabs_ = Add(-1, WC_TABCONTROLW, "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, 4, 4, 353, 333, kTabs);
    for (int i = 0; i < kPageCount; ++i) {
      std::wstring name = Wide(kPageNames[i]);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = name.data();
      TabCtrl_InsertItem(tabs_, i, &item);
    }
    BuildGeneral();
    BuildAssociations();
    BuildPlugIns();
    BuildView();
    BuildFonts();
    BuildExtra();
    Add(-1, L"BUTTON", "ОК", WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 196, 344, 75, 25, IDOK);
    Add(-1, L"BUTTON", "Отмена", WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 278, 344, 75, 25, IDCANCEL);
    Place();
  }

  void BuildGeneral() {
    const int p = 0;
    Check(p, "&Автосохранение изменений при закрытии документа", kAutoSave, 32,
          "При закрытии документа не выводится вопрос о сохранении изменений,\r\nа изменения сохраняются "
          "автоматически. При условии того, что \r\nдокумент был до этого сохранен.");
    Check(p, "&Вставлять из буфера обмена по нажатию на Ins", kPasteIns, 54,
          "Если установлена эта опция, то режим вставка/замена можно\r\nбудет изменять двойным щелчком по "
          "соответствующему\r\nпункту в строке состояния");
    Add(p, L"STATIC", "&Количество файлов в истории", SS_LEFT, kLeft + 8, 83, 200, 16);
    Add(p, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, 230, 80, 60, 21, kHistoryCount, WS_EX_CLIENTEDGE);
    Add(p, L"STATIC", "&Путь к файловому менеджеру", SS_LEFT, kLeft + 8, 106, 250, 16);
    Add(p, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kLeft + 8, 123, 278, 21, kFileManager,
        WS_EX_CLIENTEDGE);
    Add(p, L"BUTTON", "...", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 296, 123, 35, 21, kBrowse);
    std::vector<std::string> save, def;
    for (const CodePageChoice& c : SaveCodePageChoices()) save.emplace_back(c.caption);
    save.emplace_back("Установленной");
    for (const CodePageChoice& c : DefaultCodePageChoices()) def.emplace_back(c.caption);
    int bottom = std::max(Radios(p, "&Сохранять в кодировке", save, kSaveCoding0, kLeft + 8, 150, 155),
                          Radios(p, "Ко&дировка по умолчанию", def, kDefCoding0, kLeft + 171, 150, 155));
    const std::string strat[] = {"Создавать новый документ", "Открывать последний"};
    Radios(p, "При &запуске ", strat, kOpenStrat0, kLeft + 8, bottom + 6, 318);
  }

  void BuildAssociations() {
    const int p = 1;
    Check(p, "Пункт \"&Открыть в Quillo'е\"", kOpenWith, 32);
    extList_ = Add(p, WC_LISTVIEWW, "",
                   LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_GROUP |
                       WS_BORDER,
                   kLeft + 8, 58, 210, 266, kExtList);
    ListView_SetExtendedListViewStyle(extList_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 180;
    ListView_InsertColumn(extList_, 0, &column);
    const char* buttons[] = {"Отметить &все", "&Сбросить все", "&Добавить", "&Удалить", "&Иконка..."};
    for (int i = 0; i < 5; ++i)
      Add(p, L"BUTTON", buttons[i], BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 238, 58 + 32 * i, 100, 25, kCheckAll + i);
  }

  void BuildPlugIns() {
    const int p = 2;
    Add(p, L"STATIC",
        "Для  того чтобы установить надстройку необходимо скопировать соответствующий файл с расширением .dll в "
        "папку \"PlugIns\\\" и перезапустить программу.\r\nДля удаления надстройки необходимо закрыть программу и "
        "удалить соответствующий файл из папки \"PlugIns\\\".",
        SS_LEFT | SS_NOPREFIX, kLeft + 8, 34, 318, 96);
    plugIns_ = Add(p, L"LISTBOX", "", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP | WS_BORDER,
                   kLeft + 8, 134, 318, 150, kPlugIns);
    Add(p, L"BUTTON", "&Открыть папку с надстройками...", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kLeft + 8, 294, 220,
        25, kOpenPlugIns);
  }

  void BuildView() {
    const int p = 3;
    const std::string titles[] = {"ReadMe.txt - Quillo", "C:\\Мои документы\\ReadMe.txt - Quillo",
                                  "ReadMe.txt @C:\\Мои документы - Quillo"};
    int y = Radios(p, "&Текст в заголовке", titles, kTitleType0, kLeft + 8, 32, 318) + 8;
    const std::string restart = "После изменения этой опции необходимо перезапустить программу";
    struct Box { const char* text; int id; std::string hint; };
    const Box boxes[] = {
        {"С&ворачиваться в лоток", kMinToTray,
         "Программа при нажатии на кнопку \"Свернуть\" будет \r\nсворачиваться в системный лоток"},
        {"Выделять &ссылки в тексте", kUrl, restart},
        {"&Показывать подсказки", kHints, {}},
        {"&Расширенные возможности буфера обмена", kClipbrdPlus, {}},
        {"&Иконки в меню", kIconsInMenus, {}},
        {"Показывать с&очетания клавиш в меню", kShowShortCut, restart},
        {"Прост&ое всплывающее меню", kPopupSimple, {}},
    };
    for (const Box& box : boxes) {
      Check(p, box.text, box.id, y, box.hint);
      y += 24;
    }
  }

  void BuildFonts() {
    const int p = 4;
    Add(p, L"STATIC", "Текущий шрифт", SS_LEFT | SS_NOPREFIX, kLeft + 8, 32, 200, 16);
    Add(p, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kLeft + 8, 50, 210, 36, kFontDefLabel);
    Add(p, L"BUTTON", "&Изменить...", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 238, 52, 90, 25, kFontDef);
    Add(p, L"STATIC", "Здесь вы можете настроить  шрифты, между \r\nкоторыми возможно быстрое переключение.",
        SS_LEFT | SS_NOPREFIX, kLeft + 8, 96, 318, 32);
    for (int n = 0; n < 4; ++n) {
      Add(p, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kLeft + 8, 134 + 48 * n, 210, 44, kFontLabel1 + n);
      Add(p, L"BUTTON", "&Изменить...", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 238, 138 + 48 * n, 90, 25, kFont1 + n);
    }
  }

  void BuildExtra() {
    const int p = 5;
    Add(p, L"BUTTON", "При переключении в полноэкранный режим оставлять (F11)", BS_GROUPBOX | WS_GROUP, kLeft + 8, 32,
        318, 106);
    const char* fs[] = {"П&анель инструментов", "П&олосы прокрутки", "&Строка состояния", "&Главное меню"};
    for (int i = 0; i < 4; ++i)
      Add(p, L"BUTTON", fs[i], BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kLeft + 18, 50 + 21 * i, 290, 19,
          kFsToolBar + i);
    Add(p, L"BUTTON", "Только чтение", BS_GROUPBOX | WS_GROUP, kLeft + 8, 144, 318, 72);
    Add(p, L"BUTTON", "Осо&бые настройки", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kLeft + 18, 162, 180, 19,
        kRoEnable);
    Add(p, L"BUTTON", "&Фиксировать Scroll Lock", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kLeft + 18, 186, 180, 19,
        kScrollLock);
    Add(p, L"BUTTON", "Фо&н...", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 238, 170, 80, 25, kRoBackground);
    Check(p, "&Запоминать позицию каретки", kSavePosition, 224, "Восстанавливает позицию каретки при открытии файлов");
    Add(p, L"STATIC", "&Имя файла по умолчанию", SS_LEFT, kLeft + 8, 254, 250, 16);
    Add(p, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kLeft + 8, 272, 200, 21, kDefFileName,
        WS_EX_CLIENTEDGE);
  }

  // Sized to its client area and centred on the owner.
  void Place() {
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kDialogStyle, FALSE, 0);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT around{};
    HWND owner = GetWindow(dialog_, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    SetWindowPos(dialog_, nullptr, around.left + (around.right - around.left - width) / 2,
                 around.top + (around.bottom - around.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void ShowPage(int page) {
    for (int i = 0; i < kPageCount; ++i)
      for (HWND control : pages_[static_cast<size_t>(i)]) ShowWindow(control, i == page ? SW_SHOWNA : SW_HIDE);
    TabCtrl_SetCurSel(tabs_, page);
  }

  // ---- values ----
  void SetCheck(int id, bool on) { CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED); }
  bool Checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
  void SetText(int id, const std::wstring& text) { SetDlgItemTextW(dialog_, id, text.c_str()); }
  std::wstring Text(int id) const {
    HWND control = GetDlgItem(dialog_, id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
  }
  void SetRadio(int firstId, int count, int index) {
    for (int i = 0; i < count; ++i) SetCheck(firstId + i, i == index);
  }
  int Radio(int firstId, int count) const {
    for (int i = 0; i < count; ++i)
      if (Checked(firstId + i)) return i;
    return 0;
  }
  int SaveChoices() const { return static_cast<int>(SaveCodePageChoices().size()) + 1; }
  int DefChoices() const { return static_cast<int>(DefaultCodePageChoices().size()); }

  void Fill() {
    const OptionsFields& f = fields_;
    SetCheck(kAutoSave, f.autoSave);
    SetCheck(kPasteIns, f.pasteIns);
    SetText(kHistoryCount, f.historyCount);
    SetText(kFileManager, f.fileManager);
    SetRadio(kSaveCoding0, SaveChoices(), f.saveCoding);
    SetRadio(kDefCoding0, DefChoices(), f.defCoding);
    SetRadio(kOpenStrat0, 2, f.openFileStrat);
    SetCheck(kOpenWith, f.openWith);
    FillExtensions(-1);
    for (const std::wstring& line : host_.PlugInLines())
      SendMessageW(plugIns_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SetRadio(kTitleType0, 3, f.titleType);
    const std::pair<int, bool> view[] = {{kMinToTray, f.minToTray},       {kUrl, f.url},
                                         {kHints, f.hints},               {kClipbrdPlus, f.clipbrdPlus},
                                         {kIconsInMenus, f.iconsInMenus}, {kShowShortCut, f.showShortCut},
                                         {kPopupSimple, f.popupSimple},   {kFsToolBar, f.fsToolBar},
                                         {kFsScrollBar, f.fsScrollBar},   {kFsStatusBar, f.fsStatusBar},
                                         {kFsMenu, f.fsMenu},             {kRoEnable, f.roEnable},
                                         {kScrollLock, f.scrollLock},     {kSavePosition, f.savePosition}};
    for (auto [id, on] : view) SetCheck(id, on);
    SetText(kDefFileName, f.defFileName);
    ShowFonts();
  }

  void Read() {
    OptionsFields& f = fields_;
    f.autoSave = Checked(kAutoSave);
    f.pasteIns = Checked(kPasteIns);
    f.historyCount = Text(kHistoryCount);
    f.fileManager = Text(kFileManager);
    f.saveCoding = Radio(kSaveCoding0, SaveChoices());
    f.defCoding = Radio(kDefCoding0, DefChoices());
    f.openFileStrat = Radio(kOpenStrat0, 2);
    f.openWith = Checked(kOpenWith);
    ReadChecks();
    f.titleType = Radio(kTitleType0, 3);
    f.minToTray = Checked(kMinToTray);
    f.url = Checked(kUrl);
    f.hints = Checked(kHints);
    f.clipbrdPlus = Checked(kClipbrdPlus);
    f.iconsInMenus = Checked(kIconsInMenus);
    f.showShortCut = Checked(kShowShortCut);
    f.popupSimple = Checked(kPopupSimple);
    f.fsToolBar = Checked(kFsToolBar);
    f.fsScrollBar = Checked(kFsScrollBar);
    f.fsStatusBar = Checked(kFsStatusBar);
    f.fsMenu = Checked(kFsMenu);
    f.roEnable = Checked(kRoEnable);
    f.scrollLock = Checked(kScrollLock);
    f.savePosition = Checked(kSavePosition);
    f.defFileName = Text(kDefFileName);
  }

  // ---- extensions ----
  void ReadChecks() {
    for (size_t i = 0; i < fields_.extensions.size(); ++i)
      fields_.extensions[i].checked = ListView_GetCheckState(extList_, static_cast<int>(i)) != 0;
  }
  int SelectedExtension() const { return ListView_GetNextItem(extList_, -1, LVNI_SELECTED); }
  void FillExtensions(int select) {
    SortExtensions(fields_.extensions);
    ListView_DeleteAllItems(extList_);
    for (size_t i = 0; i < fields_.extensions.size(); ++i) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.pszText = fields_.extensions[i].ext.data();
      ListView_InsertItem(extList_, &item);
      ListView_SetCheckState(extList_, static_cast<int>(i), fields_.extensions[i].checked);
    }
    if (select >= 0) {
      ListView_SetItemState(extList_, select, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(extList_, select, FALSE);
    }
  }
  void RebuildIcons() {
    for (ExtensionLine& line : fields_.extensions) line.icon = host_.ExtensionIcon(line.ext);
  }
  void AddExtension() {
    std::string typed;
    if (!ShowInputBox(dialog_, "Добавить расширение", "Укажите расширение (txt, ini и т.п.)", typed) || typed.empty())
      return;
    ReadChecks();
    std::wstring ext = Wide(typed);
    auto same = [&](const ExtensionLine& line) { return LowerCase(line.ext) == LowerCase(ext); };
    if (std::none_of(fields_.extensions.begin(), fields_.extensions.end(), same))
      fields_.extensions.push_back({ext, true, {}});
    RebuildIcons();
    SortExtensions(fields_.extensions);
    auto at = std::find_if(fields_.extensions.begin(), fields_.extensions.end(), same);
    FillExtensions(static_cast<int>(at - fields_.extensions.begin()));
  }
  void DeleteExtension() {
    int index = SelectedExtension();
    if (index < 0) return;
    ReadChecks();
    host_.UnassociateNow(fields_.extensions[static_cast<size_t>(index)].ext);
    fields_.extensions.erase(fields_.extensions.begin() + index);
    RebuildIcons();
    FillExtensions(std::min(index, static_cast<int>(fields_.extensions.size()) - 1));
  }
  void ChangeIcon() {
    int index = SelectedExtension();
    if (index < 0 || !ListView_GetCheckState(extList_, index)) return;
    ExtensionLine& line = fields_.extensions[static_cast<size_t>(index)];
    std::string icon = Utf8(host_.ExtensionIcon(line.ext));
    if (!ShowInputBox(dialog_, "Изменение иконки",
                      "Укажите иконку для файлов с данным расширением.\r\nНапример:\r\n"
                      "\"C:\\Quillo\\Quillo2.exe\",0\r\n\"C:\\Icons\\file.ico\"",
                      icon))
      return;
    host_.SetExtensionIconNow(Wide(icon), line.ext);
    RebuildIcons();
  }

  // ---- fonts ----
  void ShowFonts() {
    for (int n = 0; n <= 4; ++n) {
      FontSetting font = host_.Font(n);
      int id = n == 0 ? kFontDefLabel : kFontLabel1 + n - 1;
      fonts_[static_cast<size_t>(n)].Reset(MakeFont(font));
      SendDlgItemMessageW(dialog_, id, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[static_cast<size_t>(n)].Get()),
                          TRUE);
      SetText(id, WideFromWin1251(font.name) + L", " + std::to_wstring(font.size));
    }
  }

  INT_PTR OnCommand(int id) {
    switch (id) {
      case IDOK:
        Read();
        EndDialog(dialog_, IDOK);
        return TRUE;
      case IDCANCEL:
        EndDialog(dialog_, IDCANCEL);
        return TRUE;
      case kBrowse: {
        std::wstring path;
        if (host_.BrowseProgram(dialog_, path)) {
          if (path.find(L' ') != std::wstring::npos) path = L"\"" + path + L"\"";
          SetText(kFileManager, path);
        }
        return TRUE;
      }
      case kCheckAll:
      case kCheckNone:
        for (size_t i = 0; i < fields_.extensions.size(); ++i)
          ListView_SetCheckState(extList_, static_cast<int>(i), id == kCheckAll);
        return TRUE;
      case kAddExt:
        AddExtension();
        return TRUE;
      case kDeleteExt:
        DeleteExtension();
        return TRUE;
      case kIconChange:
        ChangeIcon();
        return TRUE;
      case kOpenPlugIns:
        host_.OpenPlugInsFolder();
        return TRUE;
      case kRoBackground:
        host_.PickColor(dialog_, fields_.roBackground);
        return TRUE;
      case kFontDef:
        host_.PickFont(dialog_, 0);
        ShowFonts();
        return TRUE;
      default:
        if (id >= kFont1 && id < kFont1 + 4) {
          host_.PickFont(dialog_, id - kFont1 + 1);
          ShowFonts();
          return TRUE;
        }
        return FALSE;
    }
  }

  OptionsFields fields_;
  OptionsDialogHost& host_;
  HWND dialog_ = nullptr;
  HWND tabs_ = nullptr;
  HWND tips_ = nullptr;
  HWND extList_ = nullptr;
  HWND plugIns_ = nullptr;
  std::array<std::vector<HWND>, kPageCount> pages_;
  std::array<FontHandle, 5> fonts_;
  std::vector<std::wstring> hintTexts_;
};

// The dialog's own message loop hands every message to this filter first.
LRESULT CALLBACK PageKeysFilter(int code, WPARAM wp, LPARAM lp) {
  if (code == MSGF_DIALOGBOX) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lp);
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (auto* dialog = root ? static_cast<OptionsDialog*>(GetPropW(root, kDialogProperty)) : nullptr)
      if (Guarded(root, [&] { return dialog->TurnPage(msg); }, false)) return TRUE;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

class MessageFilterHook {
 public:
  MessageFilterHook() : hook_(SetWindowsHookExW(WH_MSGFILTER, PageKeysFilter, nullptr, GetCurrentThreadId())) {}
  ~MessageFilterHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  MessageFilterHook(const MessageFilterHook&) = delete;
  MessageFilterHook& operator=(const MessageFilterHook&) = delete;

 private:
  HHOOK hook_;
};

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lp);
  auto* self = reinterpret_cast<OptionsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  if (msg == WM_NCDESTROY) RemovePropW(dialog, kDialogProperty);
  return Guarded(dialog, [&] { return self->Handle(dialog, msg, wp, lp); }, INT_PTR{FALSE});
}

// An in-memory template without controls (they are made in WM_INITDIALOG),
// with the system's dialog font so that the dialog units do not matter.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
  t->style = kDialogStyle;
  t->cx = 240;
  t->cy = 250;
  words.insert(words.end(), {0, 0, 0});  // menu, class, title
  words.push_back(8);                     // point size
  for (wchar_t c : std::wstring(L"MS Shell Dlg")) words.push_back(static_cast<WORD>(c));
  words.push_back(0);
  return words;
}

}  // namespace

bool RunOptionsDialog(HWND owner, OptionsFields& fields, OptionsDialogHost& host) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  OptionsDialog dialog(fields, host);
  MessageFilterHook pageKeys;
  std::vector<WORD> dialogTemplate = EmptyTemplate();
  HINSTANCE instance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE))
                             : GetModuleHandleW(nullptr);
  INT_PTR result = DialogBoxIndirectParamW(instance, reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                           OptionsDialogProc, reinterpret_cast<LPARAM>(&dialog));
  if (result != IDOK) {
    // Lines deleted with "Удалить" were given back at once; the list file
    // still names them, so they are offered again next time.
    return false;
  }
  fields = dialog.Fields();
  return true;
}

}  // namespace quillo

#include "app/plugins/plug_ins.h"

#include <utility>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/platform/error_box.h"
#include "app/platform/file_io.h"
#include "app/platform/keyboard.h"
#include "app/platform/ui_text.h"
#include "app/plugins/plugin_calls.h"
#include "app/plugins/plugin_version.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"
#include "core/menu_layout.h"

namespace quillo {
namespace {

std::string_view EventName(PluginEvent event) {
  switch (event) {
    case PluginEvent::KeyDown: return "нажатие клавиши";
    case PluginEvent::KeyUp: return "отпускание клавиши";
    case PluginEvent::KeyPress: return "ввод символа";
    case PluginEvent::Change: return "изменение текста";
    case PluginEvent::FileOpen: return "открытие файла";
    case PluginEvent::FileClose: return "закрытие документа";
    case PluginEvent::FileSave: return "сохранение файла";
  }
  return "";
}

}  // namespace

PlugIns::PlugIns(AppContext& ctx, Icons& icons, ToolBar& toolBar, std::function<bool()> closing)
    : ctx_(ctx), closing_(std::move(closing)), items_(ctx, icons), host_(ctx, toolBar, list_, items_) {
  host_.SetCaller([this] { return calling_; });
  host_.SetFailureReport([this](std::string_view method) {
    PlugIn* caller = list_.FindByHandle(reinterpret_cast<NativeHandle>(calling_));
    std::string name = caller ? Utf8(FileNameOf(caller->fileName)) : std::string("?");
    reports_.Add(L"host:" + (caller ? caller->fileName : std::wstring()),
                 "Модуль «" + name + "» вызвал функцию редактора «" + std::string(method) +
                     "», и она не выполнилась.");
  });
  host_.SetUpdateEnd([this] {
    if (std::exchange(changedDuringUpdate_, false)) OnTextChanged();
  });
}

PlugIns::~PlugIns() { Unload(); }

template <typename F>
FaultCode PlugIns::CallInto(HMODULE plugin, F& call) {
  HMODULE outer = std::exchange(calling_, plugin);
  const int depth = host_.UpdateDepth();
  const FaultCode code = guard_.Run(call);
  calling_ = outer;
  if (code != kFaultNone) host_.RestoreUpdateDepth(depth);
  return code;
}

void PlugIns::Bind(ActionRegistry& actions) {
  actions.BindList(RuntimeList::PlugInItems, [this](int index) { ChooseItem(index); });
  ctx_.menus.AddPopupFiller([this](HMENU menu) { items_.Restore(menu); });
  ctx_.document.Subscribe([this](DocumentEvent event, const std::wstring& path) {
    if (list_.Count() == 0) return;
    const std::string name = Win1251FromWide(path);
    IQuillo* host = table_.Interface();
    switch (event) {
      case DocumentEvent::kOpened:
      case DocumentEvent::kSaved:
        Broadcast(event == DocumentEvent::kOpened ? PluginEvent::FileOpen : PluginEvent::FileSave,
                  [&](CallbackAddress proc) {
                    // Each plug-in gets its own copy: one that writes into it
                    // cannot spoil the next one's.
                    std::string copy = name;
                    CallFileProc(proc, host, copy.c_str());
                  });
        break;
      case DocumentEvent::kClosed:
        Broadcast(PluginEvent::FileClose, [&](CallbackAddress proc) { CallNotifyProc(proc, host); });
        break;
      case DocumentEvent::kCreated:
        break;
    }
  });
}

void PlugIns::Load() {
  reports_.Create(ctx_.instance, ctx_.window);
  list_.LoadFolder(ExeFolder() + L"\\PlugIns", L"dll");
  // The plug-ins may have brought C runtimes of their own.
  guard_.FindCRuntimes();
  std::vector<bool> started(list_.Count(), false);
  for (size_t i = 0; i < list_.Count(); ++i) {
    PlugIn& plugin = list_.Item(i);
    const CallbackAddress execute = plugin.Execute();
    if (!execute) continue;
    auto call = [&] { CallExecute(execute, table_.Interface()); };
    started[i] = CallInto(plugin.library.Get(), call) == kFaultNone;
  }
  for (size_t i = started.size(); i-- > 0;) {
    if (started[i]) continue;
    // Its items would call into a freed library.
    items_.DeleteItemsOf(list_.Item(i).library.Get());
    list_.Delete(i);
  }
  ShowPlugInsMenuState();
}

void PlugIns::Unload() {
  reports_.ShowPending();
  host_.RestoreUpdateDepth(0);
  list_.Clear();
  items_.Clear();
}

// "Надстройки" is disabled while no plug-in is loaded.
void PlugIns::ShowPlugInsMenuState() {
  HMENU bar = ctx_.menus.MenuBar();
  std::vector<HMENU> plugInsMenu = ctx_.menus.NativeMenus(MenuId::mnPlugIns);
  if (!bar || plugInsMenu.empty()) return;
  const int count = GetMenuItemCount(bar);
  for (int pos = 0; pos < count; ++pos) {
    if (GetSubMenu(bar, pos) != plugInsMenu.front()) continue;
    EnableMenuItem(bar, static_cast<UINT>(pos), MF_BYPOSITION | (list_.Count() > 0 ? MF_ENABLED : MF_GRAYED));
    if (ctx_.window) DrawMenuBar(ctx_.window);
    return;
  }
}

std::vector<std::string> PlugIns::Listing() const {
  std::vector<std::string> lines;
  for (size_t i = 0; i < list_.Count(); ++i) lines.push_back(PlugInListing(list_.Item(i).fileName));
  return lines;
}

void PlugIns::Broadcast(PluginEvent event, const std::function<void(CallbackAddress)>& call) {
  const auto e = static_cast<size_t>(event);
  for (size_t i = 0; i < list_.Count(); ++i) {
    PlugIn& plugin = list_.Item(i);
    const CallbackAddress proc = plugin.procs[e];
    if (!proc || plugin.stopped || plugin.busy[e]) continue;
    plugin.busy[e] = true;
    auto run = [&] { call(proc); };
    const FaultCode code = CallInto(plugin.library.Get(), run);
    plugin.busy[e] = false;
    if (code != kFaultNone) OnCallbackFault(plugin, event, code);
  }
}

void PlugIns::OnCallbackFault(PlugIn& plugin, PluginEvent event, FaultCode code) {
  if (++plugin.faults >= kFaultLimit) plugin.stopped = true;
  std::string text = "Модуль «" + Utf8(FileNameOf(plugin.fileName)) +
                     "» завершился с ошибкой при обработке события «" + std::string(EventName(event)) +
                     "»: " + DescribeFault(code) + ".";
  if (plugin.stopped) text += "\nМодуль больше не получает уведомлений до конца работы программы.";
  reports_.Add(plugin.fileName, std::move(text));
}

void PlugIns::OnKeyMessage(UINT msg, WPARAM wp) {
  if (list_.Count() == 0 || (closing_ && closing_())) return;
  IQuillo* host = table_.Interface();
  const auto shift = static_cast<std::uint8_t>(CurrentModifiers());
  const auto key = static_cast<std::uint16_t>(wp);
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Broadcast(PluginEvent::KeyDown, [&](CallbackAddress proc) { CallKeyProc(proc, host, key, shift); });
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Broadcast(PluginEvent::KeyUp, [&](CallbackAddress proc) { CallKeyProc(proc, host, key, shift); });
      break;
    case WM_CHAR: {
      // The typed character in Windows-1251; one it cannot hold arrives as '?'.
      const std::string typed = Win1251FromWide(std::wstring(1, static_cast<wchar_t>(wp)));
      const char ch = typed.empty() ? '?' : typed[0];
      Broadcast(PluginEvent::KeyPress, [&](CallbackAddress proc) { CallKeyPressProc(proc, host, ch); });
      break;
    }
    default:
      break;
  }
}

void PlugIns::OnTextChanged() {
  if (list_.Count() == 0 || (closing_ && closing_())) return;
  // Held while a plug-in updates the text in one go; told once at the end.
  if (host_.UpdateDepth() > 0) {
    changedDuringUpdate_ = true;
    return;
  }
  IQuillo* host = table_.Interface();
  Broadcast(PluginEvent::Change, [&](CallbackAddress proc) { CallNotifyProc(proc, host); });
}

bool PlugIns::RunShortcut(UINT key) {
  if (list_.Count() == 0) return false;
  const int index = items_.ItemForKey(static_cast<int>(key), static_cast<std::uint8_t>(CurrentModifiers()));
  if (index < 0) return false;
  ChooseItem(index);
  ctx_.status.Update();
  return true;
}

void PlugIns::ChooseItem(int index) {
  std::optional<PlugInMenuItems::Choice> choice = items_.Choose(index);
  if (!choice || !choice->callback) return;
  const auto shift = static_cast<std::uint8_t>(CurrentModifiers());
  IQuillo* host = table_.Interface();
  const CallbackAddress proc = choice->callback;
  auto call = [&] { CallMenuProc(proc, index, host, shift); };
  if (CallInto(choice->owner, call) != kFaultNone) throw UserError("Ошибка выполнения модуля.");
}

}  // namespace quillo

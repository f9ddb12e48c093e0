#include "app/plugins/plugin_reports.h"

#include "app/platform/message_box.h"

namespace quillo {
namespace {

constexpr wchar_t kReportsWindowClass[] = L"TQuilloPlugInReports";
constexpr UINT kShowReports = WM_APP + 1;

}  // namespace

PlugInReports::~PlugInReports() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void PlugInReports::Create(HINSTANCE instance, HWND owner) {
  owner_ = owner;
  if (!hwnd_) CreateOwnWindow(kReportsWindowClass, 0, L"", 0, RECT{}, HWND_MESSAGE, instance);
}

void PlugInReports::Add(const std::wstring& key, std::string text) {
  bool replaced = false;
  for (auto& [k, t] : pending_) {
    if (k == key) {
      t = std::move(text);
      replaced = true;
      break;
    }
  }
  if (!replaced) pending_.emplace_back(key, std::move(text));
  if (!posted_ && hwnd_) posted_ = PostMessageW(hwnd_, kShowReports, 0, 0) != 0;
}

void PlugInReports::ShowPending() {
  posted_ = false;
  while (!pending_.empty()) {
    std::string text = std::move(pending_.front().second);
    pending_.erase(pending_.begin());
    ShowMessage(owner_ && IsWindow(owner_) ? owner_ : nullptr, text, "Ошибка", MB_OK | MB_ICONERROR);
  }
}

LRESULT PlugInReports::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kShowReports) {
    ShowPending();
    return 0;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace quillo

#pragma once
// Messages about plug-ins that went wrong, shown once the program is back
// in its message loop. A plug-in can fault in the middle of an editor
// operation (a text-change notification, a document being opened or
// closed); a message box there would run other messages inside it.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/platform/window_base.h"

namespace quillo {

class PlugInReports : public WindowBase {
 public:
  PlugInReports() = default;
  ~PlugInReports() override;

  // A message-only window of its own; the boxes belong to owner.
  void Create(HINSTANCE instance, HWND owner);
  // Queues a message (UTF-8); one still waiting under the same key is
  // replaced, so a plug-in that faults again and again gets one box.
  void Add(const std::wstring& key, std::string text);
  // Shows whatever waits, now.
  void ShowPending();

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HWND owner_ = nullptr;
  std::vector<std::pair<std::wstring, std::string>> pending_;
  bool posted_ = false;
};

}  // namespace quillo

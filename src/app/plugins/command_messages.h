#pragma once
// The window messages other programs, plug-ins and other instances send the
// main window: the command messages (WM_USER+501 … +537), each running the
// same action as its menu item, the private messages between instances,
// the system menu's "О программе..." and the end of a move or resize.
#include <windows.h>

#include <functional>
#include <map>

#include "core/command_messages.h"

namespace quillo {

struct AppContext;

class CommandMessages {
 public:
  explicit CommandMessages(AppContext& ctx) : ctx_(ctx) {}

  // Handles msg when it is one of these; false otherwise.
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  // What a private message does whose feature lives elsewhere (the
  // notification-area icon, the bookmark file); without one it does nothing.
  void OnPrivateMessage(UINT msg, std::function<void(WPARAM, LPARAM)> handler) {
    privateHandlers_[msg] = std::move(handler);
  }

 private:
  LRESULT Carry(const MessagePlan& plan);
  LRESULT OpenRecentFile(int index);
  void BringToFront();

  AppContext& ctx_;
  std::map<UINT, std::function<void(WPARAM, LPARAM)>> privateHandlers_;
};

}  // namespace quillo

#pragma once
// What the features of one editor window share. A feature is built on this
// context and never sees the main window object: it reads and changes the
// document through the editor and the document object, keeps its own state,
// and binds its own actions.
#include <windows.h>

#include <string_view>

#include "app/platform/message_box.h"

namespace quillo {

class ActionRegistry;
class Document;
class MyRichEdit;
class SettingsStore;
class StatusView;
class WindowLayout;
class WindowMenus;

struct AppContext {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;  // the main window, once created
  MyRichEdit& editor;
  Document& document;
  SettingsStore& settings;
  ActionRegistry& actions;
  WindowMenus& menus;
  StatusView& status;
  WindowLayout& layout;

  // Questions and notices, owned by the main window.
  int Ask(std::string_view text, std::string_view caption, UINT flags) const {
    return ShowMessage(window, text, caption, flags);
  }
};

}  // namespace quillo

#pragma once
// The recording host of the ABI test, keeping what plug-ins register so the
// tests can notify them as the program will.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "recording_host.h"

namespace quillo {

class PluginTestHost : public RecordingHost {
 public:
  std::map<std::pair<NativeHandle, PluginEvent>, CallbackAddress> callbacks;
  struct MenuItem {
    CallbackAddress callback;
    std::string caption;
    std::int32_t parent;
  };
  std::vector<MenuItem> menuItems;             // by item index
  std::vector<std::string> texts;              // what plug-ins passed to SetSelText
  std::function<void()> onSetSelText;

  void SetCallback(NativeHandle plugin, PluginEvent event, CallbackAddress proc) override {
    callbacks[{plugin, event}] = proc;
  }
  CallbackAddress Callback(NativeHandle plugin, PluginEvent event) override {
    auto found = callbacks.find({plugin, event});
    return found == callbacks.end() ? 0 : found->second;
  }
  std::int32_t AddMenuItem(const PluginMenuItem& item, std::int32_t parent) override {
    menuItems.push_back({item.callback, item.caption, parent});
    return static_cast<std::int32_t>(menuItems.size() - 1);
  }
  std::int32_t InsertMenuItemAt(const PluginMenuItem& item, std::int32_t, std::int32_t parent) override {
    return AddMenuItem(item, parent);
  }
  void SetSelText(std::string_view text) override {
    texts.emplace_back(text);
    if (onSetSelText) onSetSelText();
  }
};

}  // namespace quillo

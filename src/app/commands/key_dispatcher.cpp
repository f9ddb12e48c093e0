#include "app/commands/key_dispatcher.h"

#include "app/commands/action_registry.h"
#include "app/platform/keyboard.h"

namespace quillo {

bool KeyDispatcher::Handle(UINT key) { return Handle(key, static_cast<std::uint8_t>(CurrentModifiers())); }

bool KeyDispatcher::Handle(UINT key, std::uint8_t mods) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  switch (preview_ ? preview_(key, mods) : KeyRoute::Lookup) {
    case KeyRoute::Used: return true;
    case KeyRoute::ToControl: return false;
    case KeyRoute::Lookup: break;
  }
  if (auto action = keyMap_.ActionFor(static_cast<int>(key), mods)) {
    if (actions_.Run(*action)) {
      if (afterAction_) afterAction_();
      return true;
    }
    return !GoesToControlWhenUnavailable(static_cast<int>(key), mods);
  }
  if (auto effect = keyMap_.WindowKeyFor(static_cast<int>(key), mods)) {
    auto it = windowKeys_.find(*effect);
    if (it == windowKeys_.end()) return false;
    if (it->second.when && !it->second.when()) return false;
    if (it->second.run) it->second.run();
    return true;
  }
  return false;
}

}  // namespace quillo

#include "app/commands/action_registry.h"

namespace quillo {

void ActionRegistry::Bind(ActionId id, Execute execute, Update update) {
  handlers_[static_cast<int>(id)] = {std::move(execute), std::move(update)};
}

bool ActionRegistry::IsBound(ActionId id) const {
  return handlers_.count(static_cast<int>(id)) > 0;
}

ActionState ActionRegistry::State(ActionId id) const {
  auto it = handlers_.find(static_cast<int>(id));
  if (it == handlers_.end()) return ActionState::Enabled(false);
  return it->second.update ? it->second.update() : ActionState{};
}

bool ActionRegistry::Run(ActionId id) {
  auto it = handlers_.find(static_cast<int>(id));
  if (it == handlers_.end() || !it->second.execute) return false;
  ActionState state = State(id);
  if (!state.enabled && !state.runsWhenDisabled) return false;
  it->second.execute();
  return true;
}

}  // namespace quillo

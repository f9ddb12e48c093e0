#include "app/commands/action_registry.h"

#include <new>

#include "app/platform/error_box.h"

namespace quillo {

void ActionRegistry::Bind(ActionId id, Execute execute, Update update) {
  handlers_[static_cast<int>(id)] = {std::move(execute), std::move(update)};
}

bool ActionRegistry::IsBound(ActionId id) const { return handlers_.count(static_cast<int>(id)) > 0; }

void ActionRegistry::SetSnapshotSource(std::function<CommandSnapshot()> source) {
  source_ = std::move(source);
  TakeSnapshot();
}

void ActionRegistry::TakeSnapshot() const {
  if (source_) snapshot_ = source_();
}

ActionState ActionRegistry::State(ActionId id) const {
  auto it = handlers_.find(static_cast<int>(id));
  if (it == handlers_.end()) return ActionState::Enabled(false);
  ActionState state = it->second.update ? it->second.update() : ActionState{};
  if (source_ && !IsAvailable(id, snapshot_)) state.enabled = false;
  if (RunsWhenUnavailable(id)) state.runsWhenDisabled = true;
  return state;
}

bool ActionRegistry::Run(ActionId id) {
  auto it = handlers_.find(static_cast<int>(id));
  if (it == handlers_.end() || !it->second.execute) return false;
  TakeSnapshot();
  ActionState state = State(id);
  if (!state.enabled && !state.runsWhenDisabled) return false;
  try {
    it->second.execute();
  } catch (const UserError&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
    // A library's message is no message for the user: say which command failed.
    throw UserError("Не удалось выполнить команду «" + std::string(GetAction(id).caption) +
                    "»: внутренняя ошибка программы.");
  }
  return true;
}

void ActionRegistry::ShowWhen(ActionId id, std::function<bool()> visible) {
  visibility_[static_cast<int>(id)].push_back(std::move(visible));
}

bool ActionRegistry::Visible(ActionId id) const {
  auto it = visibility_.find(static_cast<int>(id));
  if (it == visibility_.end()) return true;
  for (const auto& visible : it->second)
    if (!visible()) return false;
  return true;
}

void ActionRegistry::BindList(RuntimeList list, std::function<void(int)> run) {
  lists_[static_cast<int>(list)] = std::move(run);
}

void ActionRegistry::BindCommand(CommandId id, std::function<void(int)> run) {
  commands_[static_cast<int>(id)] = std::move(run);
}

bool ActionRegistry::RunMenuCommand(int id) {
  if (const CommandInfo* command = FindCommand(id)) {
    // The percentages share one handler, found by the first one's id.
    int key = command->id >= CommandId::GoToPercent0 ? static_cast<int>(CommandId::GoToPercent0) : id;
    auto it = commands_.find(key);
    if (it == commands_.end()) return false;
    it->second(command->tag);
    return true;
  }
  if (auto hit = FindRuntimeListItem(id)) {
    auto it = lists_.find(static_cast<int>(hit->list));
    if (it == lists_.end()) return false;
    it->second(hit->index);
    return true;
  }
  if (id < kFirstActionId || id > kLastActionId) return false;
  Run(static_cast<ActionId>(id));
  return true;
}

}  // namespace quillo

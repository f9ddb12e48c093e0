#include "app/commands/action_registry.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(ActionRegistry, WhatRunsAndWhatShowsDisabled) {
  ActionRegistry registry;
  int runs = 0;
  registry.Bind(ActionId::FileSave, [&] { ++runs; }, [] { return ActionState::ShownEnabled(false); });
  registry.Bind(ActionId::EditCut, [&] { runs += 10; }, [] { return ActionState::Enabled(false); });
  registry.Bind(ActionId::EditCopy, [&] { runs += 100; });

  EXPECT_FALSE(registry.State(ActionId::FileSave).enabled);
  EXPECT_TRUE(registry.Run(ActionId::FileSave)) << "Save keeps its key while its menu item is grey";
  EXPECT_FALSE(registry.Run(ActionId::EditCut));
  EXPECT_TRUE(registry.Run(ActionId::EditCopy));
  EXPECT_EQ(runs, 101);

  EXPECT_FALSE(registry.IsBound(ActionId::Print));
  EXPECT_FALSE(registry.State(ActionId::Print).enabled) << "an action not built yet shows disabled";
  EXPECT_FALSE(registry.Run(ActionId::Print));
}

}  // namespace
}  // namespace quillo

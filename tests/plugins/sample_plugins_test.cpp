// The SDK's sample plug-ins start against the real method table and use it
// as their source says (they run end to end once the program hosts them).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/plugins/fault_guard.h"
#include "app/plugins/host_table.h"
#include "app/plugins/plugin_calls.h"
#include "plugin_library.h"
#include "plugin_test_host.h"

namespace quillo {
namespace {

class SamplePlugin : public ::testing::Test {
 protected:
  PluginTestHost host;
  HostTable table{host};

  FaultGuard guard;

  FaultCode Start(const Library& plugin) {
    auto execute = [&] { CallExecute(plugin.Proc("Execute"), table.Interface()); };
    return guard.Run(execute);
  }
};

TEST_F(SamplePlugin, MenuItemsFillSeveralMenusASubmenuAndTheMenuBar) {
  Library plugin(L"..\\..\\sdk\\samples\\menu_items.dll");
  ASSERT_NE(plugin.Handle(), nullptr);
  ASSERT_EQ(Start(plugin), kFaultNone);
  std::set<std::int32_t> parents;
  for (const auto& item : host.menuItems) parents.insert(item.parent);
  for (std::int32_t menu : {QUILLO_MENU_PLUGINS, QUILLO_MENU_TEXT, QUILLO_MENU_EDITOR_POPUP,
                            QUILLO_MENU_TRAY, QUILLO_MENU_BAR}) {
    EXPECT_TRUE(parents.count(menu)) << menu;
  }
  EXPECT_TRUE(std::any_of(parents.begin(), parents.end(), [](std::int32_t p) { return p >= 0; }))
      << "no submenu";
  EXPECT_EQ(host.menuItems[1].caption, "\xCF\xF0\xE8\xE2\xE5\xF2");  // "Привет" in Windows-1251
}

TEST_F(SamplePlugin, CallbacksRegistersEveryNotification) {
  Library plugin(L"..\\..\\sdk\\samples\\callbacks.dll");
  ASSERT_NE(plugin.Handle(), nullptr);
  ASSERT_EQ(Start(plugin), kFaultNone);
  const auto self = reinterpret_cast<NativeHandle>(plugin.Handle());
  for (PluginEvent event : {PluginEvent::KeyDown, PluginEvent::KeyUp, PluginEvent::KeyPress, PluginEvent::Change,
                            PluginEvent::FileOpen, PluginEvent::FileClose, PluginEvent::FileSave}) {
    EXPECT_NE(host.Callback(self, event), 0u) << static_cast<int>(event);
  }
  auto press = [&] { CallKeyProc(host.Callback(self, PluginEvent::KeyDown), table.Interface(), 'Q', QUILLO_CTRL); };
  EXPECT_EQ(guard.Run(press), kFaultNone);
}

TEST_F(SamplePlugin, CommandsMakesOneItemPerCommandInItsSubmenu) {
  Library plugin(L"..\\..\\sdk\\samples\\commands.dll");
  ASSERT_NE(plugin.Handle(), nullptr);
  ASSERT_EQ(Start(plugin), kFaultNone);
  ASSERT_GT(host.menuItems.size(), 1u);
  EXPECT_EQ(host.menuItems[0].parent, QUILLO_MENU_PLUGINS);
  for (std::size_t i = 1; i < host.menuItems.size(); ++i) EXPECT_EQ(host.menuItems[i].parent, 0);
}

}  // namespace
}  // namespace quillo

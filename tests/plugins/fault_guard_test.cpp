// The fault guard against real plug-in DLLs that fault, run in-process under
// Wine: each fault ends only its own call, is reported with its code, and
// the program (and the other plug-ins) go on.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/plugins/fault_guard.h"
#include "app/plugins/host_table.h"
#include "app/plugins/plugin_calls.h"
#include "plugin_library.h"
#include "plugin_test_host.h"

namespace quillo {
namespace {

#if defined(__x86_64__)
constexpr FaultCode kUncaughtGccThrow = kFaultGccException;
#else
constexpr FaultCode kUncaughtGccThrow = kFaultAbort;  // 32-bit GCC: terminate, then abort
#endif

FaultCode Notify(const FaultGuard& guard, CallbackAddress proc, HostTable& table) {
  auto call = [&] { CallNotifyProc(proc, table.Interface()); };
  return guard.Run(call);
}

int HostRecursion(int depth) {
  volatile char frame[1024];
  frame[0] = 1;
  if (depth == 0) return 0;
  int below = HostRecursion(depth - 1);
  return below + frame[0];
}

class FaultGuardTest : public ::testing::Test {
 protected:
  PluginTestHost host;
  HostTable table{host};
  Library faults{L"fault_kinds.dll"};
  FaultGuard guard;  // after the plug-in is loaded, as the program does
  void SetUp() override { ASSERT_NE(faults.Handle(), nullptr); }
};

TEST_F(FaultGuardTest, EachKindOfFaultEndsOnlyItsCallAgainAndAgain) {
  struct Case {
    const char* proc;
    FaultCode expected;
  } const cases[] = {
      {"AccessViolation", kFaultAccessViolation}, {"IllegalInstruction", kFaultIllegalInstruction},
      {"StackOverflow", kFaultStackOverflow},     {"ThrowUncaught", kUncaughtGccThrow},
      {"ThrowLikeMsvc", kFaultMsvcException},     {"Abort", kFaultAbort},
      {"Execute", kFaultAccessViolation},
  };
  for (int round = 0; round < 3; ++round) {
    for (const Case& c : cases) {
      EXPECT_EQ(Notify(guard, faults.Proc(c.proc), table), c.expected) << c.proc << ", round " << round;
    }
  }
}

TEST_F(FaultGuardTest, CallIntoAnUnloadedLibraryIsAnAccessViolation) {
  Library freed(L"freed_plugin.dll");
  ASSERT_NE(freed.Handle(), nullptr);
  CallbackAddress stale = freed.Proc("Notify");
  EXPECT_EQ(Notify(guard, stale, table), kFaultNone);
  freed.Free();
  ASSERT_EQ(GetModuleHandleW(L"freed_plugin.dll"), nullptr);
  EXPECT_EQ(Notify(guard, stale, table), kFaultAccessViolation);
}

TEST_F(FaultGuardTest, ExceptionsAPluginCatchesItselfAreNoFault) {
  const int caught = faults.Call<int>("Caught");
  const int cleanups = faults.Call<int>("Cleanups");
  EXPECT_EQ(Notify(guard, faults.Proc("ThrowAndCatch"), table), kFaultNone);
  EXPECT_EQ(faults.Call<int>("Caught"), caught + 3);
  EXPECT_EQ(faults.Call<int>("Cleanups"), cleanups + 3);
}

TEST_F(FaultGuardTest, ThreadStaysUsableAfterStackOverflows) {
  for (int i = 0; i < 5; ++i) ASSERT_EQ(Notify(guard, faults.Proc("StackOverflow"), table), kFaultStackOverflow);
  EXPECT_EQ(HostRecursion(400), 400);  // 400 KB of stack
  bool caught = false;
  try {
    throw std::runtime_error("host");
  } catch (const std::runtime_error&) {
    caught = true;
  }
  EXPECT_TRUE(caught);
  EXPECT_EQ(Notify(guard, faults.Proc("StackOverflow"), table), kFaultStackOverflow);
}

TEST_F(FaultGuardTest, GuardedCallsNestThroughTheHost) {
  Library good(L"good_plugin.dll");
  auto execute = [&] { CallExecute(good.Proc("Execute"), table.Interface()); };
  ASSERT_EQ(guard.Run(execute), kFaultNone);
  FaultCode inner = kFaultNone;
  // The host answers good's SetSelText with another plug-in call, as a text
  // change notifies the other plug-ins, and that one faults.
  host.onSetSelText = [&] { inner = Notify(guard, faults.Proc("AccessViolation"), table); };
  CallbackAddress keyDown = host.Callback(reinterpret_cast<NativeHandle>(good.Handle()), PluginEvent::KeyDown);
  auto press = [&] { CallKeyProc(keyDown, table.Interface(), 'A', QUILLO_CTRL); };
  EXPECT_EQ(guard.Run(press), kFaultNone);
  EXPECT_EQ(inner, kFaultAccessViolation);
  EXPECT_EQ(host.texts, std::vector<std::string>{"good: key 65 shift 2"});
}

TEST(FaultDescription, NamesTheFaultInRussianWithItsCode) {
  EXPECT_EQ(DescribeFault(kFaultAccessViolation), "нарушение доступа к памяти (C0000005)");
  EXPECT_EQ(DescribeFault(0x12345678), "исключение (12345678)");
}

// The program's plug-in list, as the loader will drive it: start every
// plug-in, drop those whose start failed, notify the rest in list order.
class PluginStory : public ::testing::Test {
 protected:
  PluginTestHost host;
  HostTable table{host};
  FaultGuard guard;
  std::vector<std::unique_ptr<Library>> plugins;

  void Start(std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) plugins.push_back(std::make_unique<Library>(name));
    guard.FindCRuntimes();
    std::vector<FaultCode> results;
    for (auto& p : plugins) {
      auto execute = [&] { CallExecute(p->Proc("Execute"), table.Interface()); };
      results.push_back(guard.Run(execute));
    }
    for (std::size_t i = plugins.size(); i-- > 0;) {
      if (results[i] != kFaultNone) plugins.erase(plugins.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }

  std::vector<FaultCode> KeyDown(std::uint16_t key, std::uint8_t shift) {
    std::vector<FaultCode> codes;
    for (auto& p : plugins) {
      CallbackAddress proc = host.Callback(reinterpret_cast<NativeHandle>(p->Handle()), PluginEvent::KeyDown);
      auto call = [&] { CallKeyProc(proc, table.Interface(), key, shift); };
      if (proc) codes.push_back(guard.Run(call));
    }
    return codes;
  }

  FaultCode ChooseMenuItem(std::int32_t index, std::uint8_t shift) {
    auto call = [&] { CallMenuProc(host.menuItems.at(index).callback, index, table.Interface(), shift); };
    return guard.Run(call);
  }
};

TEST_F(PluginStory, AFaultingStartIsDroppedWhileTheSecondPluginKeepsWorking) {
  Start({L"fault_kinds.dll", L"good_plugin.dll"});
  ASSERT_EQ(plugins.size(), 1u);
  EXPECT_EQ(KeyDown('A', QUILLO_CTRL), std::vector<FaultCode>{kFaultNone});
  EXPECT_EQ(host.texts, std::vector<std::string>{"good: key 65 shift 2"});
}

TEST_F(PluginStory, AFaultingCallbackLeavesTheEventToLaterPlugins) {
  Start({L"noisy_plugin.dll", L"good_plugin.dll"});
  ASSERT_EQ(plugins.size(), 2u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(KeyDown(VK_F5, QUILLO_SHIFT), (std::vector<FaultCode>{kFaultAccessViolation, kFaultNone}));
  }
  EXPECT_EQ(host.texts.size(), 5u);
  CallbackAddress change = host.Callback(reinterpret_cast<NativeHandle>(plugins[0]->Handle()), PluginEvent::Change);
  EXPECT_EQ(Notify(guard, change, table), kUncaughtGccThrow);
  EXPECT_EQ(KeyDown('Z', 0), (std::vector<FaultCode>{kFaultAccessViolation, kFaultNone}));
  EXPECT_EQ(host.texts.back(), "good: key 90 shift 0");
}

TEST_F(PluginStory, AFaultingMenuItemDoesNotStopTheEditor) {
  Start({L"noisy_plugin.dll", L"good_plugin.dll"});
  ASSERT_EQ(host.menuItems.size(), 2u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ChooseMenuItem(0, QUILLO_ALT), kFaultStackOverflow);
    EXPECT_EQ(ChooseMenuItem(1, QUILLO_ALT), kFaultNone);
  }
  EXPECT_EQ(host.texts, std::vector<std::string>(3, "good: menu 1 shift 4"));
}

}  // namespace
}  // namespace quillo

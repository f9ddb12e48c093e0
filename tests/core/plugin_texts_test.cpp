#include "core/plugin_texts.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(PlugInTexts, Versions) {
  EXPECT_EQ(HostVersionText(2, 0, 17), "2.0 build 17");
  EXPECT_EQ(PlugInVersionText(1, 12), "1.12");
  EXPECT_EQ(PlugInVersionText(0, 3), "0.3");
  EXPECT_EQ(PlugInVersionText(0, 0), "");
}

TEST(PlugInTexts, ListLineWithAndWithoutVersionInWholeKilobytes) {
  EXPECT_EQ(PlugInListLine("spell.dll", "1.2", 12 * 1024 + 1023), "spell.dll v. 1.2 (12 kb)");
  EXPECT_EQ(PlugInListLine("tiny.dll", "", 1023), "tiny.dll (0 kb)");
}

}  // namespace
}  // namespace quillo

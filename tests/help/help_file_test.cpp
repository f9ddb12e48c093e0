// The help file as it is shipped: its contents and the keyboard topic, which
// must list every command of the command table with the keys that run it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/action_table.h"
#include "core/key_map.h"
#include "core/shortcut.h"
#include "core/win1251.h"

namespace quillo {
namespace {

namespace fs = std::filesystem;

class HelpFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("quillo-help-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    std::string command = "7z x -y -o'" + dir_.string() + "' '" QUILLO_HELP_FILE "' >/dev/null 2>&1";
    unpacked_ = std::system(command.c_str()) == 0;
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  // A topic's text, from the Windows-1251 the help is compiled in.
  static std::string Topic(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Win1251ToUtf8(bytes);
  }

  static std::string Html(std::string_view text) {
    std::string out;
    for (char c : text) out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '"' ? "&quot;" : std::string(1, c);
    return out;
  }

  static inline fs::path dir_;
  static inline bool unpacked_ = false;
};

TEST_F(HelpFile, ContentsLeadToEveryTopic) {
  ASSERT_TRUE(unpacked_) << "7z could not unpack " QUILLO_HELP_FILE;
  std::string toc = Topic("toc.hhc");
  const char* topics[] = {"index.html", "files.html", "text.html", "find.html", "history.html",
                          "plugins.html", "settings.html", "cmdline.html", "keyboard.ru.html"};
  for (const char* topic : topics) {
    EXPECT_NE(toc.find(std::string("\"") + topic + "\""), std::string::npos) << topic;
    EXPECT_FALSE(Topic(topic).empty()) << topic << " is not in the help file";
  }
  EXPECT_NE(Topic("index.html").find("Что умеет Quillo"), std::string::npos);
}

// Each command has a row with its caption, and the row names every key the
// key map gives it (a key two commands share is listed with the winner).
// Rows carry the command's name as their anchor.
TEST_F(HelpFile, KeyboardTopicListsEveryCommandWithItsKeys) {
  ASSERT_TRUE(unpacked_);
  const std::string topic = Topic("keyboard.ru.html");
  const KeyMap keys;
  for (const ActionInfo& action : Actions()) {
    size_t row = topic.find("<tr id=\"" + std::string(action.name) + "\">");
    ASSERT_NE(row, std::string::npos) << action.name;
    const std::string rowText = topic.substr(row, topic.find("</tr>", row) - row);
    EXPECT_NE(rowText.find(Html(action.caption)), std::string::npos) << action.name;
    std::vector<std::string_view> all{action.shortcut};
    all.insert(all.end(), action.secondShortcuts.begin(), action.secondShortcuts.end());
    for (std::string_view key : all) {
      std::optional<Shortcut> shortcut = ParseShortcut(key);
      if (!shortcut || shortcut->key == 0) continue;
      bool ours = keys.ActionFor(shortcut->key, shortcut->modifiers) == action.id;
      EXPECT_EQ(rowText.find("<kbd>" + Html(key) + "</kbd>") != std::string::npos, ours)
          << action.name << " " << key;
    }
  }
}

}  // namespace
}  // namespace quillo

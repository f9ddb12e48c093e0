#include "core/shortcut.h"

#include <array>
#include <cctype>

namespace quillo {
namespace {

struct NamedKey {
  std::string_view name;
  int key;
};

// For each key the first row is the name that is printed; later rows with
// the same key are spellings that are also accepted.
constexpr NamedKey kNamedKeys[] = {
    {"BkSp", 0x08},       {"Backspace", 0x08},  {"Tab", 0x09},
    {"Enter", 0x0D},      {"Return", 0x0D},     {"Pause", 0x13},
    {"CapsLock", 0x14},   {"Caps Lock", 0x14},  {"Esc", 0x1B},
    {"Escape", 0x1B},     {"Space", 0x20},      {"PgUp", 0x21},
    {"PageUp", 0x21},     {"PgDn", 0x22},       {"PageDown", 0x22},
    {"End", 0x23},        {"Home", 0x24},       {"Left", 0x25},
    {"Up", 0x26},         {"Right", 0x27},      {"Down", 0x28},
    {"Ins", 0x2D},        {"Insert", 0x2D},     {"Del", 0x2E},
    {"Delete", 0x2E},     {"Num 0", 0x60},      {"Num 1", 0x61},
    {"Num 2", 0x62},      {"Num 3", 0x63},      {"Num 4", 0x64},
    {"Num 5", 0x65},      {"Num 6", 0x66},      {"Num 7", 0x67},
    {"Num 8", 0x68},      {"Num 9", 0x69},      {"Num *", 0x6A},
    {"Num +", 0x6B},      {"Num -", 0x6D},      {"Num Del", 0x6E},
    {"Num .", 0x6E},      {"Num /", 0x6F},      {"NumLock", 0x90},
    {"Num Lock", 0x90},   {"ScrollLock", 0x91}, {"Scroll Lock", 0x91},
    {";", 0xBA},          {"=", 0xBB},          {",", 0xBC},
    {"-", 0xBD},          {".", 0xBE},          {"/", 0xBF},
    {"`", 0xC0},          {"[", 0xDB},          {"\\", 0xDC},
    {"]", 0xDD},          {"'", 0xDE},          {"Apps", 0x5D},
    {"PrtSc", 0x2C},      {"Print Screen", 0x2C}, {"Clear", 0x0C},
};

constexpr int kVkF1 = 0x70;
constexpr int kFunctionKeyCount = 24;

struct ModifierWord {
  std::string_view prefix;
  std::uint8_t bit;
};

constexpr std::array<ModifierWord, 3> kModifierWords = {{
    {"Shift+", kModShift},
    {"Ctrl+", kModCtrl},
    {"Alt+", kModAlt},
}};

char LowerAscii(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualNoCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Letters and digits are their own virtual-key codes; F1..F24 follow 0x70.
std::optional<int> KeyFromName(std::string_view name) {
  if (name.size() == 1) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  }
  if (name.size() >= 2 && name.size() <= 3 && LowerAscii(name[0]) == 'f') {
    int number = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') { number = -1; break; }
      number = number * 10 + (c - '0');
    }
    if (number >= 1 && number <= kFunctionKeyCount) return kVkF1 + number - 1;
  }
  for (const NamedKey& named : kNamedKeys) {
    if (EqualNoCase(named.name, name)) return named.key;
  }
  return std::nullopt;
}

}  // namespace

std::string_view KeyName(int key) {
  static constexpr std::string_view kDigitsAndLetters =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  static constexpr std::array<std::string_view, kFunctionKeyCount> kFunctionNames = {
      "F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
      "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
      "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
  if (key >= '0' && key <= '9') return kDigitsAndLetters.substr(key - '0', 1);
  if (key >= 'A' && key <= 'Z') return kDigitsAndLetters.substr(10 + key - 'A', 1);
  if (key >= kVkF1 && key < kVkF1 + kFunctionKeyCount) return kFunctionNames[key - kVkF1];
  for (const NamedKey& named : kNamedKeys) {
    if (named.key == key) return named.name;
  }
  return {};
}

std::optional<Shortcut> ParseShortcut(std::string_view text) {
  text = Trim(text);
  Shortcut result;
  bool stripped = true;
  while (stripped) {
    stripped = false;
    for (const ModifierWord& word : kModifierWords) {
      // "Ctrl++" is not a modifier followed by nothing: keep one character
      // for the key name.
      if (text.size() > word.prefix.size() && StartsWithNoCase(text, word.prefix)) {
        result.modifiers |= word.bit;
        text.remove_prefix(word.prefix.size());
        stripped = true;
      }
    }
  }
  const std::optional<int> key = KeyFromName(Trim(text));
  if (!key) return std::nullopt;
  result.key = *key;
  return result;
}

std::string ShortcutToText(const Shortcut& shortcut) {
  const std::string_view name = KeyName(shortcut.key);
  if (shortcut.key == 0 || name.empty()) return {};
  std::string text;
  for (const ModifierWord& word : kModifierWords) {
    if (shortcut.modifiers & word.bit) text += word.prefix;
  }
  text += name;
  return text;
}

bool ShortcutMatches(const Shortcut& shortcut, int key, std::uint8_t modifiers) {
  return shortcut.key != 0 && shortcut.key == key && shortcut.modifiers == modifiers;
}

}  // namespace quillo

#pragma once
// What the settings dialog offers and how its texts become values: the code
// page choices, the extensions offered for association, the history size.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/codepage.h"

namespace quillo {

struct CodePageChoice {
  TCodePage page;
  std::string_view caption;  // UTF-8
};

// "Кодировка по умолчанию", in the order of its buttons. A new choice is one
// more line in this table.
std::span<const CodePageChoice> DefaultCodePageChoices();
// "Сохранять в кодировке" before its last button, "Установленной" (save in
// the document's own code page).
std::span<const CodePageChoice> SaveCodePageChoices();
// The button of `page`; the first one when the table has no such page.
int CodePageChoiceIndex(std::span<const CodePageChoice> choices, TCodePage page);

// The extensions offered when there is no extension list file.
std::vector<std::string> BuiltInExtensions();
// The list file's lines: one extension each, without the dot; blank lines
// and the spaces around a line are dropped.
std::vector<std::string> ExtensionsFromText(std::string_view text);
// The line equal to `ext` ignoring letter case, or -1.
int FindExtension(const std::vector<std::string>& list, std::string_view ext);

// The shell's type name of an associated extension: "Текстовый документ"
// for exactly "txt", otherwise the extension and "-файл" (UTF-8).
std::string ExtensionTypeName(std::string_view ext);
// Only exactly "txt" gets the shell's "new document" entry.
inline bool ExtensionHasNewDocument(std::string_view ext) { return ext == "txt"; }

// The history size as typed; 20 when it is not a whole number.
int HistoryCapacityFromText(std::string_view text);

}  // namespace quillo

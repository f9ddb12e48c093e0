#pragma once
// Names the save dialogs propose and the corrections a chosen name gets.
// Paths are Windows paths in UTF-8 (or Windows-1251) bytes; only '\', '/'
// and the drive colon separate folders.
#include <functional>
#include <string>
#include <string_view>

namespace quillo {

// `name` itself when exists(name) is false; otherwise the first of the names
// with a counter 1, 2, 3 … put before the extension ("noname.txt" gives
// noname1.txt, noname2.txt, …) for which exists() is false. `name` may carry
// a folder; the counter goes into the file-name part.
std::string FreeFileName(std::string_view name,
                         const std::function<bool(const std::string&)>& exists);

// A file-name part without an extension gets ".txt".
std::string WithDefaultExtension(std::string_view path);

// A file-name part longer than one character that begins with a dot loses
// that dot (".notes" is written as "notes").
std::string WithoutLeadingDot(std::string_view path);

// The name a name chosen in a save dialog is really written under: with
// ".txt" first when `defaultExtension` and it has none, then without a
// leading dot, unless a file of the dotted name exists (a document opened
// from ".env" goes back there). The overwrite question concerns this name.
std::string NameToWrite(std::string_view chosen, bool defaultExtension,
                        const std::function<bool(const std::string&)>& exists);

}  // namespace quillo

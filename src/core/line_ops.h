#pragma once
// Bulk edits of lines, spaces and tabs on Windows-1251 text. The editor ends
// its lines with CR alone; CR LF and a lone LF are line breaks here too,
// except where a function says otherwise.
#include <cstddef>
#include <string>
#include <string_view>

namespace quillo {

// Guards the breaks that must survive while RemoveLineBreaks joins lines; a
// text that contains it gets a line break in its place.
inline constexpr std::string_view kLineBreakPlaceholder = "[10F9448C2E024A9B9ED37E2358ADF68B]";

// Every occurrence of `find`, left to right without overlaps, becomes
// `replacement`. An empty `find` changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// Every tab becomes the spaces up to the next stop; stops stand every
// `width` columns, counted from the start of each line. The text's first
// line starts at `startColumn` (a selection that begins inside a line). A
// width below 1 leaves the text as it is.
std::string ExpandTabs(std::string_view text, int width, std::size_t startColumn = 0);

// The column at which offset `pos` of `text` stands as ExpandTabs would
// count it: from the start of its line, tabs reaching the next stop.
std::size_t ColumnAt(std::string_view text, std::size_t pos, int width);

// Line breaks as the editor control holds them: CR LF and a lone LF
// become one CR.
std::string WithCrBreaks(std::string_view text);
std::u16string WithCrBreaks(std::u16string_view text);

// Every run of two or more `ch` becomes one `ch`.
std::string CollapseSpaces(std::string_view text, char ch);

// Joins the lines of each paragraph with single spaces. A break survives
// before an empty line (one of the two breaks is kept) and before an
// indented line (which loses one space of its indent). Works on the CR line
// ends of the editor.
std::string RemoveLineBreaks(std::string_view text);

// One more leading space on every line after a line break; the first line
// is left alone.
std::string AddLineIndent(std::string_view text);

// One leading space less on every line after a line break that has one.
std::string RemoveLineIndent(std::string_view text);

struct TextSpan {
  std::size_t start = 0;
  std::size_t length = 0;
};

// The line that holds the character offset `caret`, with its line break if
// it has one, however long the line is.
TextSpan LineDeletionSpan(std::string_view text, std::size_t caret);

}  // namespace quillo

#include "core/line_ops.h"

#include <algorithm>

namespace quillo {
namespace {

bool IsBreakChar(char ch) { return ch == '\r' || ch == '\n'; }

// Length of the line break that starts at `pos`: 2 for CR LF, 1 for a lone
// CR or LF, 0 when there is none.
std::size_t BreakLengthAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size() || !IsBreakChar(text[pos])) return 0;
  return text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
}

}  // namespace

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  if (find.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(find, pos)) != std::string_view::npos;
       pos = hit + find.size()) {
    result.append(text, pos, hit - pos);
    result += replacement;
  }
  result.append(text, pos);
  return result;
}

std::string ExpandTabs(std::string_view text, int width, std::size_t startColumn) {
  if (width < 1) return std::string(text);
  auto stop = static_cast<std::size_t>(width);
  std::string result;
  result.reserve(text.size());
  std::size_t column = startColumn;
  for (char ch : text) {
    if (ch == '\t') {
      std::size_t spaces = stop - column % stop;
      result.append(spaces, ' ');
      column += spaces;
    } else {
      result += ch;
      column = IsBreakChar(ch) ? 0 : column + 1;
    }
  }
  return result;
}

std::size_t ColumnAt(std::string_view text, std::size_t pos, int width) {
  pos = std::min(pos, text.size());
  std::size_t lineStart = pos;
  while (lineStart > 0 && !IsBreakChar(text[lineStart - 1])) --lineStart;
  std::string_view before = text.substr(lineStart, pos - lineStart);
  return width < 1 ? before.size() : ExpandTabs(before, width).size();
}

std::string WithCrBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (std::size_t breakLength = BreakLengthAt(text, pos)) {
      out += '\r';
      pos += breakLength;
    } else {
      out += text[pos++];
    }
  }
  return out;
}

std::u16string WithCrBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') continue;
    out += text[pos] == u'\n' ? u'\r' : text[pos];
  }
  return out;
}

std::string CollapseSpaces(std::string_view text, char ch) {
  std::string result;
  result.reserve(text.size());
  for (char c : text)
    if (c != ch || result.empty() || result.back() != ch) result += c;
  return result;
}

std::string RemoveLineBreaks(std::string_view text) {
  struct Step {
    std::string_view find;
    std::string_view replacement;
  };
  const Step steps[] = {
      {"\r\r", kLineBreakPlaceholder},  // a paragraph ends before an empty line
      {"\r ", kLineBreakPlaceholder},   // an indented line starts a paragraph
      {" \r\n", " "},
      {" \r", " "},
      {"\r\n", " "},
      {"\r", " "},
      {kLineBreakPlaceholder, "\r"},
  };
  std::string result(text);
  for (const Step& step : steps) result = ReplaceAll(result, step.find, step.replacement);
  return result;
}

std::string AddLineIndent(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (std::size_t pos = 0; pos < text.size();) {
    if (std::size_t breakLength = BreakLengthAt(text, pos)) {
      result.append(text, pos, breakLength);
      result += ' ';
      pos += breakLength;
    } else {
      result += text[pos++];
    }
  }
  return result;
}

std::string RemoveLineIndent(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (std::size_t breakLength = BreakLengthAt(text, pos)) {
      result.append(text, pos, breakLength);
      pos += breakLength;
      if (pos < text.size() && text[pos] == ' ') ++pos;
    } else {
      result += text[pos++];
    }
  }
  return result;
}

TextSpan LineDeletionSpan(std::string_view text, std::size_t caret) {
  caret = std::min(caret, text.size());
  std::size_t start = caret;
  while (start > 0 && !IsBreakChar(text[start - 1])) --start;
  std::size_t end = caret;
  while (end < text.size() && !IsBreakChar(text[end])) ++end;
  end += BreakLengthAt(text, end);
  return {start, end - start};
}

}  // namespace quillo

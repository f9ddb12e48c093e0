#include "core/word_at_caret.h"

#include <gtest/gtest.h>

#include <string>

namespace quillo {
namespace {

TEST(WordAtCaret, DelimiterSetIsExactlyTheListedCodes) {
  const std::string delimiters = " !\"()*+,-./:;<=>?[\\]^{|}";
  for (int c = 0; c < 256; ++c) {
    bool expected = c < 32 || delimiters.find(static_cast<char>(c)) != std::string::npos;
    EXPECT_EQ(IsWordDelimiter(static_cast<unsigned char>(c)), expected) << "code " << c;
  }
}

TEST(WordAtCaret, WordsAroundTheCaret) {
  struct Case { const char* text; int caret; const char* word; };
  const Case cases[] = {
      {"", 0, ""},
      {"hello world", 0, ""},
      {"hello world", 3, "hello"},
      {"hello world", 5, "hello"},
      {"hello world", 6, ""},
      {"hello world", 11, "world"},
      {"a, b", 2, ""},               // right after the comma
      {"red-green", 2, "red"},       // the hyphen splits
      {"red-green", 6, "green"},
      {"snake_case #tag", 3, "snake_case"},
      {"snake_case #tag", 13, "#tag"},
      {"\xEF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0", 2, "\xEF\xF0\xE8\xE2\xE5\xF2"},
      {"line1\rline2", 6, ""},
      {"line1\rline2", 7, "line2"},
      {"abc", 4, ""},               // beyond the end
      {"abc", -1, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WordAtCaret(c.text, c.caret), c.word) << c.text << " @" << c.caret;
}

// The quick search's word: the same delimiters as WordAtCaret, so no
// punctuation comes along (Wine's control reports no word breaks).
TEST(WordAtCaret, WordAtCursorLeavesThePunctuation) {
  struct Case { const char* text; int caret; const char* word; };
  const Case cases[] = {
      {"", 0, ""},
      {"hello world  foo", 0, "hello"},
      {"hello world  foo", 2, "hello"},
      {"hello world  foo", 7, "world"},
      {"hello world  foo", 12, "world"},   // on the spaces after it
      {"hello world  foo", 13, "foo"},
      {"hello world  foo", 16, "foo"},
      {"one-two, three", 5, "two"},
      {"one-two, three", 7, "two"},        // on the comma
      {"\xEF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0", 6, "\xEF\xF0\xE8\xE2\xE5\xF2"},
      {"(word)", 0, "word"},
      {"(word)", 3, "word"},
      {"a (word) b", 8, "word"},           // after the bracket
      {"x = y;", 6, "y"},                  // at the end, after the semicolon
      {"snake_case #tag", 12, "#tag"},
      {"line1\rline2", 6, "line2"},
      {" , ", 1, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WordAtCursor(c.text, c.caret), c.word) << c.text << " @" << c.caret;
}

TEST(WordAtCaret, LineCountIgnoresTheEmptyLineAfterATrailingBreak) {
  struct Case { const char* text; int lines; };
  const Case cases[] = {{"", 0}, {"a", 1}, {"a\r", 1}, {"a\rb", 2}, {"\r", 1}, {"\r\r", 2}, {"a\r\rb", 3}};
  for (const auto& c : cases) EXPECT_EQ(CountLines(c.text), c.lines) << c.text;
}

}  // namespace
}  // namespace quillo

#pragma once
// Characters of Windows-1251 text as the text search sees them: case-blind
// comparison and the letters and digits that make up a word for the
// whole-word test.
#include <string_view>

namespace quillo {

// Letters (every byte with a case partner, plus the micro sign) and the
// digits 0-9. The underscore and all punctuation separate words.
bool IsSearchWordChar(unsigned char byte);

// Byte-by-byte comparison with both sides lower-cased by the code page's
// letter pairs (Latin, Russian with Ё, and the other Cyrillic capitals).
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace quillo

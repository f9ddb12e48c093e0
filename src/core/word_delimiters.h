#pragma once
// The characters that end a word: for title case and for the word at the
// caret alike.
#include <bitset>

namespace quillo {

using ByteSet = std::bitset<256>;

// Every byte 0x00-0x20 and " ! ( ) * + , - . / : ; < = > ? [ \ ] ^ { | }.
// Digits, the apostrophe, @ ` # $ % & _ ~ and every byte from 0x7F up are
// parts of words.
const ByteSet& WordDelimiters();

inline bool IsWordDelimiter(unsigned char ch) { return WordDelimiters()[ch]; }

}  // namespace quillo

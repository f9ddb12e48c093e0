#pragma once
// The texts the table is measured on: three shapes of Cyrillic text, made
// the same way on every run, as Windows-1251 bytes with CR LF breaks.
#include <cstddef>
#include <string>
#include <vector>

namespace quillo::bench {

struct Shape {
  std::string key;      // file names: "<key>-2mb.txt"
  std::string label;    // the table's text
  std::string find;     // "Заменить все" on this shape: UTF-8, found often
  std::string replace;  // the same length as find
};

const std::vector<Shape>& Shapes();

// Whole lines (paragraphs) of the shape until at least `bytes` bytes.
std::string MakeText(const Shape& shape, size_t bytes);

}  // namespace quillo::bench

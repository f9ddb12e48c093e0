#include "bench/app/bench_texts.h"

#include <array>
#include <cstdio>
#include <functional>

#include "core/win1251.h"

namespace quillo::bench {
namespace {

// Lines of exactly 90 characters, Cyrillic and ASCII mixed, numbered.
std::string NinetyCharacterLine(size_t i) {
  char number[16];
  std::snprintf(number, sizeof number, "%06zu", i % 1000000);
  std::string line = Utf8ToWin1251("Строка " + std::string(number) +
                                   ": обычный текст with some English words, цифры 0123456789 "
                                   "и ещё немного слов до самого конца строки");
  line.resize(90, '.');
  return line + "\r\n";
}

// 73 letters "ж" in words of seven (the last of ten) with spaces between.
std::string LettersLine(size_t) {
  std::string line;
  for (int i = 0; i < 9; ++i) line += "жжжжжжж ";
  line += "жжжжжжжжжж";
  return Utf8ToWin1251(line) + "\r\n";
}

// Paragraphs of about 1 700 characters of ordinary sentences.
std::string ProseParagraph(size_t i) {
  static const std::array<const char*, 6> sentences = {
      "Длинный абзац обычного текста, в котором предложения идут одно за другим. ",
      "Редактор открывает большие файлы и показывает их целиком, не теряя ни строки. ",
      "Под окном видна строка состояния с номером строки, колонкой и кодировкой. ",
      "Если текст не помещается по ширине, он переносится по словам у края окна. ",
      "Пользователь листает документ, правит слова и сохраняет файл в нужной кодировке. ",
      "Каждое предложение немного отличается от соседних, как в настоящем тексте. ",
  };
  std::string paragraph;
  for (size_t k = i; paragraph.size() < 1700; ++k) paragraph += sentences[k % sentences.size()];
  return Utf8ToWin1251(paragraph) + "\r\n";
}

std::function<std::string(size_t)> UnitOf(const Shape& shape) {
  if (shape.key == "lines90") return NinetyCharacterLine;
  if (shape.key == "letters73") return LettersLine;
  return ProseParagraph;
}

}  // namespace

const std::vector<Shape>& Shapes() {
  static const std::vector<Shape> shapes = {
      {"lines90", "lines of 90 characters", "о", "О"},
      {"letters73", "lines of 73 \"ж\"", "ж", "Ж"},
      {"prose", "paragraphs of 1 700", "о", "О"},
  };
  return shapes;
}

std::string MakeText(const Shape& shape, size_t bytes) {
  const auto unit = UnitOf(shape);
  std::string text;
  text.reserve(bytes + 4096);
  for (size_t i = 0; text.size() < bytes; ++i) text += unit(i);
  return text;
}

}  // namespace quillo::bench

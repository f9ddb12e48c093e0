#include "core/nul_bytes.h"

namespace quillo {

std::size_t ReplaceNulBytes(std::string& text) {
  std::size_t count = 0;
  for (char& c : text)
    if (c == '\0') {
      c = ' ';
      ++count;
    }
  return count;
}

std::string NulBytesWarning(std::string_view file_name) {
  std::string text = "Файл «";
  text += file_name;
  text +=
      "» содержит нулевые байты, которые редактор не может показать. "
      "Они показаны пробелами; если сохранить файл, на их месте будут записаны пробелы.";
  return text;
}

}  // namespace quillo

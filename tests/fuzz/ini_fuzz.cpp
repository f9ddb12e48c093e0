// Any bytes must parse without harm, and the rewritten text must be stable:
// parsing what ToText() gave and writing it again gives the same text, with
// the same sections, keys and values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/ini_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const quillo::IniFile first(input);
  const std::string text = first.ToText();
  const quillo::IniFile second(text);
  Check(second.ToText() == text);

  Check(second.Sections() == first.Sections());
  for (const std::string& section : first.Sections()) {
    Check(second.Keys(section) == first.Keys(section));
    for (const std::string& key : first.Keys(section)) {
      Check(second.ReadString(section, key, "\x01") == first.ReadString(section, key, "\x02"));
      Check(second.ReadInteger(section, key, 7) == first.ReadInteger(section, key, 7));
      (void)first.ReadFloat(section, key, 0.0);
    }
  }

  // Writing back what was read must not change the text either.
  quillo::IniFile rewritten(text);
  for (const std::string& section : first.Sections()) {
    for (const std::string& key : first.Keys(section)) {
      rewritten.WriteString(section, key, first.ReadString(section, key, ""));
    }
  }
  Check(rewritten.ToText() == text);
  return 0;
}

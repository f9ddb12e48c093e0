#include "core/codepage.h"

namespace quillo {

std::string CodePageName(TCodePage page) {
  switch (page) {
    case cpWIN: return "WIN";
    case cpDOS: return "DOS";
    case cpKOI: return "KOI";
    default: return {};
  }
}

TCodePage CodePageFromName(std::string_view name) {
  if (name.empty()) return cpWIN;
  if (name.front() == 'D') return cpDOS;
  if (name.front() == 'K') return cpKOI;
  return cpWIN;
}

}  // namespace quillo

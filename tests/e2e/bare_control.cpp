#include "tests/e2e/bare_control.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

namespace quillo::e2e {
namespace {

struct Source {
  const char* data;
  size_t size;
  size_t done;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
  auto* s = reinterpret_cast<Source*>(cookie);
  size_t n = std::min(static_cast<size_t>(want), s->size - s->done);
  std::memcpy(buffer, s->data + s->done, n);
  s->done += n;
  *got = static_cast<LONG>(n);
  return 0;
}

}  // namespace

HWND CreateBareControl(HWND parent, DWORD style, SIZE size, bool wrap) {
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"", style, 0, 0, size.cx, size.cy, parent,
                              nullptr, nullptr, nullptr);
  SendMessageW(edit, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
              CFM_COLOR | CFM_CHARSET;
  lstrcpynW(cf.szFaceName, L"Courier New", LF_FACESIZE);
  cf.yHeight = 12 * 20;
  cf.crTextColor = RGB(0, 0, 0);
  cf.bCharSet = RUSSIAN_CHARSET;
  SendMessageW(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  SendMessageW(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  SendMessageW(edit, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
  return edit;
}

bool StreamIntoBareControl(HWND edit, std::u16string_view text) {
  Source src{reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t), 0};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&src), 0, ReadChunk};
  SendMessageW(edit, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&es));
  return es.dwError == 0;
}

}  // namespace quillo::e2e

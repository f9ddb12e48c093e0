#include "app/platform/version_info.h"

#include <cstring>
#include <string_view>

namespace quillo {
namespace {

// One node of the resource's tree: length, value length, type, key, value,
// then the children, each part aligned to four bytes from the start.
struct Node {
  std::wstring_view key;
  const BYTE* value = nullptr;
  size_t valueBytes = 0;
  const BYTE* children = nullptr;
  const BYTE* end = nullptr;
};

WORD WordAt(const BYTE* p) {
  WORD w;
  std::memcpy(&w, p, sizeof(w));
  return w;
}

const BYTE* Aligned(const BYTE* base, const BYTE* p) {
  return base + ((p - base + 3) & ~static_cast<ptrdiff_t>(3));
}

bool ReadNode(const BYTE* base, const BYTE* p, const BYTE* limit, Node& node) {
  if (limit - p < 6) return false;
  const WORD length = WordAt(p), valueLength = WordAt(p + 2), type = WordAt(p + 4);
  if (length < 6 || length > limit - p) return false;
  node.end = p + length;
  const auto* key = reinterpret_cast<const wchar_t*>(p + 6);
  size_t keyLength = 0;
  while (reinterpret_cast<const BYTE*>(key + keyLength + 1) <= node.end && key[keyLength]) ++keyLength;
  node.key = std::wstring_view(key, keyLength);
  node.value = Aligned(base, reinterpret_cast<const BYTE*>(key + keyLength + 1));
  node.valueBytes = type == 1 ? valueLength * 2u : valueLength;
  if (node.value > node.end || node.valueBytes > static_cast<size_t>(node.end - node.value)) return false;
  node.children = Aligned(base, node.value + node.valueBytes);
  if (node.children > node.end) node.children = node.end;
  return true;
}

// The first string of that name in any string table.
std::wstring FindString(const BYTE* base, const Node& root, std::wstring_view name) {
  Node info;
  for (const BYTE* p = root.children; ReadNode(base, p, root.end, info); p = Aligned(base, info.end)) {
    if (info.key != L"StringFileInfo") continue;
    Node table;
    for (const BYTE* t = info.children; ReadNode(base, t, info.end, table); t = Aligned(base, table.end)) {
      Node entry;
      for (const BYTE* s = table.children; ReadNode(base, s, table.end, entry);
           s = Aligned(base, entry.end)) {
        if (entry.key != name) continue;
        std::wstring text(reinterpret_cast<const wchar_t*>(entry.value), entry.valueBytes / 2);
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
      }
    }
  }
  return {};
}

}  // namespace

VersionInfo ReadVersionInfo(HMODULE module) {
  VersionInfo result;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
  if (!found) return result;
  HGLOBAL loaded = LoadResource(module, found);
  const auto* base = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
  if (!base) return result;
  Node root;
  if (!ReadNode(base, base, base + SizeofResource(module, found), root)) return result;
  VS_FIXEDFILEINFO fixed{};
  if (root.valueBytes >= sizeof(fixed)) {
    std::memcpy(&fixed, root.value, sizeof(fixed));
    if (fixed.dwSignature == 0xFEEF04BD) {
      result.fileVersion = std::to_wstring(HIWORD(fixed.dwFileVersionMS)) + L"." +
                           std::to_wstring(LOWORD(fixed.dwFileVersionMS)) + L"." +
                           std::to_wstring(HIWORD(fixed.dwFileVersionLS)) + L"." +
                           std::to_wstring(LOWORD(fixed.dwFileVersionLS));
    }
  }
  result.productName = FindString(base, root, L"ProductName");
  return result;
}

}  // namespace quillo

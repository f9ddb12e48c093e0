#include "app/plugins/plugin_version.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "app/platform/file_io.h"
#include "app/platform/ui_text.h"
#include "core/plugin_texts.h"

namespace quillo {
namespace {

std::optional<VS_FIXEDFILEINFO> FixedVersionOf(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", &fixed, &length) || !fixed || length < sizeof(VS_FIXEDFILEINFO))
    return std::nullopt;
  return *static_cast<const VS_FIXEDFILEINFO*>(fixed);
}

}  // namespace

std::string HostVersion() {
  std::optional<VS_FIXEDFILEINFO> v = FixedVersionOf(ExePath());
  if (!v) return {};
  return HostVersionText(HIWORD(v->dwFileVersionMS), LOWORD(v->dwFileVersionMS), LOWORD(v->dwFileVersionLS));
}

std::string PlugInVersion(const std::wstring& path) {
  std::optional<VS_FIXEDFILEINFO> v = FixedVersionOf(path);
  if (!v) return {};
  return PlugInVersionText(HIWORD(v->dwFileVersionMS), LOWORD(v->dwFileVersionMS));
}

std::string PlugInListing(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  std::uint64_t size = 0;
  if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
    size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return PlugInListLine(Utf8(FileNameOf(path)), PlugInVersion(path), size);
}

}  // namespace quillo

#include "app/shell/dropped_files.h"

#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/document/document.h"
#include "app/platform/message_box.h"
#include "app/platform/new_window.h"
#include "app/platform/ui_text.h"
#include "app/window/status_view.h"

namespace quillo {
namespace {

class DropHandle {
 public:
  explicit DropHandle(HDROP drop) : drop_(drop) {}
  ~DropHandle() { DragFinish(drop_); }
  DropHandle(const DropHandle&) = delete;
  DropHandle& operator=(const DropHandle&) = delete;

  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    const UINT count = DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring name(DragQueryFileW(drop_, i, nullptr, 0) + 1, L'\0');
      name.resize(DragQueryFileW(drop_, i, name.data(), static_cast<UINT>(name.size())));
      if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
  }

 private:
  HDROP drop_;
};

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// Further files go by their full quoted paths: short 8.3 names do not exist
// on every volume, and a long path with spaces would split unquoted.
void DroppedFiles::OnDrop(HDROP drop) {
  std::vector<std::wstring> names = DropHandle(drop).Names();
  std::vector<std::wstring> files;
  std::string folders;
  for (std::wstring& name : names) {
    if (IsFolder(name)) {
      folders += '\n';
      folders += Utf8(name);
    } else {
      files.push_back(std::move(name));
    }
  }
  if (!folders.empty())
    ctx_.Ask("Папку нельзя открыть как документ:" + folders, kCaptionInformation, MB_OK | MB_ICONINFORMATION);
  if (files.empty()) return;
  // The other windows start whether or not this one could open its file.
  auto startOthers = [&] {
    for (size_t i = 1; i < files.size(); ++i) OpenInNewWindow(ctx_.window, files[i]);
  };
  try {
    Document& document = ctx_.document;
    if (document.Close()) document.Open(files.front());
  } catch (...) {
    startOthers();
    ctx_.status.Update();
    throw;
  }
  startOthers();
  ctx_.status.Update();
}

}  // namespace quillo

#pragma once
// The loaded plug-in libraries in load order. Deleting an entry frees its
// library; nothing else here calls into a plug-in.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/platform/win_handles.h"
#include "app/plugins/host_services.h"

namespace quillo {

// One plug-in library (TPlugIn).
struct PlugIn {
  explicit PlugIn(std::wstring path);

  // What LoadLibrary gave; null when the library could not be loaded. The
  // plug-in names itself by this handle when it registers callbacks.
  ModuleHandle library;
  std::wstring fileName;  // full path
  std::array<CallbackAddress, 7> procs{};  // by PluginEvent, all unset at first
  // Faults of its notification callbacks; at the limit it gets no more.
  int faults = 0;
  bool stopped = false;
  // Inside that callback now, by PluginEvent. A plug-in is not told again of
  // what it causes from inside its own callback (a change it makes in its
  // change callback would call it again without end).
  std::array<bool, 7> busy{};

  NativeHandle Handle() const { return reinterpret_cast<NativeHandle>(library.Get()); }
  CallbackAddress& Proc(PluginEvent event) { return procs[static_cast<size_t>(event)]; }
  // The export "Execute"; 0 when the library did not load or lacks it.
  CallbackAddress Execute() const;
};

class PlugInList {
 public:
  // Index of the new entry, or -1 when it could not be created.
  int Add(const std::wstring& fileName);
  // Every name matching folder\*.extension, files and folders alike, in the
  // order found.
  void LoadFolder(const std::wstring& folder, const std::wstring& extension);

  size_t Count() const { return items_.size(); }
  PlugIn& Item(size_t index) { return *items_[index]; }
  const PlugIn& Item(size_t index) const { return *items_[index]; }
  void Delete(size_t index);
  // Deletes every entry from index 0 upward.
  void Clear();

  // The first plug-in whose library handle this is; null for none (and for 0).
  PlugIn* FindByHandle(NativeHandle handle);

 private:
  std::vector<std::unique_ptr<PlugIn>> items_;
};

}  // namespace quillo

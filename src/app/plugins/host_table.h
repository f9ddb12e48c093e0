#pragma once
// The object a plug-in receives as its IQuillo pointer: the plug-in
// interface's method table in slot order, each slot a small function with the
// interface's calling convention that forwards to a HostServices.
//
// Owns the texts it hands out (valid until the plug-in's next call), copies
// the texts it is given, turns 8-bit booleans into bool and back, and never
// lets a C++ exception of the host cross into a plug-in. The object lives as
// long as its owner, whatever AddRef and Release a plug-in calls.
#include <cstdint>
#include <string>

#include "app/plugins/host_services.h"
#include "quillo_plugin.h"

namespace quillo {

class HostTable {
 public:
  explicit HostTable(HostServices& services);
  HostTable(const HostTable&) = delete;
  HostTable& operator=(const HostTable&) = delete;

  // What "Execute" and every callback receive.
  IQuillo* Interface() { return &object_.iface; }
  // The count kept by AddRef and Release (1 for the host's own reference).
  std::uint32_t References() const { return references_; }

 private:
  struct Thunks;
  struct Object {
    IQuillo iface;
    HostTable* owner;
  };

  Object object_;
  HostServices& services_;
  std::string text_;        // the last text returned by a slot
  std::string fontName_;    // GetFont's Name and Color: a plug-in may pass
  std::string fontColor_;   // the record straight back to SetFont
  std::uint32_t references_ = 1;
};

}  // namespace quillo

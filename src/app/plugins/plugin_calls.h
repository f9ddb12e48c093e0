#pragma once
// Calls from the host into a plug-in, with the SDK's calling conventions
// (stdcall on x86). Run them through a FaultGuard (fault_guard.h): the code
// on the other side is foreign.
//
// Small arguments go out zero-extended to a full slot, so a plug-in that
// declares its key or modifier as a 32-bit integer still reads the value.
#include <cstdint>

#include "app/plugins/host_services.h"
#include "quillo_plugin.h"

namespace quillo {

namespace plugin_abi {
using KeyProc = void(QUILLO_STDCALL*)(IQuillo*, std::uint32_t, std::uint32_t);
using KeyPressProc = void(QUILLO_STDCALL*)(IQuillo*, std::uint32_t);
using MenuProc = void(QUILLO_STDCALL*)(std::int32_t, IQuillo*, std::uint32_t);
}  // namespace plugin_abi

inline void CallExecute(CallbackAddress proc, IQuillo* host) {
  reinterpret_cast<QuilloExecuteProc>(proc)(host);
}

// KeyDownProc and KeyUpProc.
inline void CallKeyProc(CallbackAddress proc, IQuillo* host, std::uint16_t key, std::uint8_t shift) {
  reinterpret_cast<plugin_abi::KeyProc>(proc)(host, key, shift);
}

inline void CallKeyPressProc(CallbackAddress proc, IQuillo* host, char key) {
  reinterpret_cast<plugin_abi::KeyPressProc>(proc)(host, static_cast<unsigned char>(key));
}

// ChangeProc and FileCloseProc.
inline void CallNotifyProc(CallbackAddress proc, IQuillo* host) {
  reinterpret_cast<QuilloNotifyProc>(proc)(host);
}

// FileOpenProc and FileSaveProc.
inline void CallFileProc(CallbackAddress proc, IQuillo* host, const char* fileName) {
  reinterpret_cast<QuilloFileProc>(proc)(host, fileName);
}

inline void CallMenuProc(CallbackAddress proc, std::int32_t itemIndex, IQuillo* host,
                         std::uint8_t shift) {
  reinterpret_cast<plugin_abi::MenuProc>(proc)(itemIndex, host, shift);
}

}  // namespace quillo

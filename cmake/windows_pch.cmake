# Much of a Windows-side source's compile time is spent reading <windows.h>
# again: these targets read it once, as a precompiled header. The standard
# headers stay out of it: GCC then warns about the CRT's inline functions as
# though they were our code.
function(quillo_windows_pch target)
  target_precompile_headers(${target} PRIVATE <windows.h> <commctrl.h>)
endfunction()

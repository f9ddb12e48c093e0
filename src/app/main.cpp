// Process entry: one process per document window.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/window/main_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);

  std::vector<std::u16string> args;
  int argc = 0;
  if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i], argv[i] + wcslen(argv[i]));
    LocalFree(argv);
  }

  quillo::MainForm form;
  int rc = form.Run(instance, args);
  OleUninitialize();
  return rc;
}

#include "app/help/help_commands.h"

#include <windows.h>
#include <shellapi.h>

#include <cctype>
#include <string>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/interop.h"
#include "app/platform/file_io.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "app/platform/version_info.h"
#include "app/platform/win_handles.h"

namespace quillo {
namespace {

constexpr wchar_t kHomePageUrl[] = L"https://quillo.example.org/";
constexpr wchar_t kFeedbackAddress[] = L"feedback@quillo.example.org";

// HTML Help commands of hhctrl.ocx.
constexpr UINT kHelpDisplayTopic = 0;
constexpr UINT kHelpDisplayToc = 1;

}  // namespace

// hhctrl.ocx is loaded on first use and kept while help windows may be open.
class HelpViewer {
 public:
  void Show(HWND owner, const std::wstring& topic) {
    const std::wstring file = ExeFolder() + L"\\" + kHelpFileName;
    if (!FileExists(file)) {
      ShowMessage(owner,
                  FormatMessageText("Файл справки \"%s\" не найден. Справка недоступна.", Utf8(file)),
                  kCaptionInformation, MB_OK | MB_ICONINFORMATION);
      return;
    }
    if (!library_) library_.Reset(LoadLibraryW(L"hhctrl.ocx"));
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    FARPROC proc = library_ ? GetProcAddress(library_, "HtmlHelpW") : nullptr;
    if (!proc) {
      ShellExecuteW(owner, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return;
    }
    auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void (*)()>(proc));
    if (topic.empty()) {
      htmlHelp(owner, file.c_str(), kHelpDisplayToc, 0);
    } else {
      const std::wstring target = file + L"::/" + topic;
      htmlHelp(owner, target.c_str(), kHelpDisplayTopic, 0);
    }
  }

 private:
  ModuleHandle library_;
};

namespace {

std::wstring ProgramNameAndVersion() {
  const VersionInfo version = ReadVersionInfo(GetModuleHandleW(nullptr));
  std::wstring name = version.productName.empty() ? L"Quillo" : version.productName;
  return version.fileVersion.empty() ? name : name + L" " + version.fileVersion;
}

void OpenUrl(HWND owner, const wchar_t* verb, const std::wstring& url) {
  ShellExecuteW(owner, verb, url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Spaces and other characters that end a mailto address's subject.
std::wstring PercentEncoded(const std::wstring& text) {
  std::wstring out;
  for (unsigned char c : Utf8(text)) {
    if (std::isalnum(c) || c == '.' || c == '-' || c == '_') {
      out += static_cast<wchar_t>(c);
    } else {
      constexpr char kHex[] = "0123456789ABCDEF";
      out += L'%';
      out += static_cast<wchar_t>(kHex[c >> 4]);
      out += static_cast<wchar_t>(kHex[c & 15]);
    }
  }
  return out;
}

}  // namespace

HelpCommands::HelpCommands(AppContext& ctx) : ctx_(ctx), viewer_(std::make_unique<HelpViewer>()) {}
HelpCommands::~HelpCommands() = default;

void HelpCommands::Bind(ActionRegistry& a) {
  a.Bind(ActionId::HelpContents, [this] { viewer_->Show(ctx_.window, L""); });
  a.Bind(ActionId::HelpShortCuts, [this] { viewer_->Show(ctx_.window, kShortcutsTopic); });
  a.Bind(ActionId::HelpAbout, [this] { ShowAbout(); });
  a.Bind(ActionId::HelpHomePage, [this] { OpenUrl(ctx_.window, L"open", kHomePageUrl); });
  a.Bind(ActionId::HelpCallingBack, [this] {
    OpenUrl(ctx_.window, L"Open",
            std::wstring(L"mailto:") + kFeedbackAddress + L"?subject=" +
                PercentEncoded(ProgramNameAndVersion()));
  });
}

void HelpCommands::ShowAbout() {
  const VersionInfo version = ReadVersionInfo(GetModuleHandleW(nullptr));
  std::string text = Utf8(version.productName.empty() ? L"Quillo" : version.productName);
  if (!version.fileVersion.empty()) text += "\nВерсия " + Utf8(version.fileVersion);
  text += "\n\nТекстовый редактор для тех, кто каждый день работает с русским текстом.";
  ShowMessage(ctx_.window, text, "О программе", MB_OK | MB_ICONINFORMATION);
}

}  // namespace quillo

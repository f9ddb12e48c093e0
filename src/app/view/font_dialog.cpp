#include "app/view/font_dialog.h"

#include <commdlg.h>

#include "app/platform/ui_text.h"

namespace quillo {

bool AskFont(HWND owner, FontSetting& font) {
  LOGFONTW logFont{};
  {
    HDC screen = GetDC(nullptr);
    logFont.lfHeight = -MulDiv(font.size > 0 ? font.size : 12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
  }
  logFont.lfWeight = (font.style & kFontBold) ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = (font.style & kFontItalic) ? TRUE : FALSE;
  logFont.lfUnderline = (font.style & kFontUnderline) ? TRUE : FALSE;
  logFont.lfStrikeOut = (font.style & kFontStrikeOut) ? TRUE : FALSE;
  logFont.lfCharSet = static_cast<BYTE>(font.charset);
  lstrcpynW(logFont.lfFaceName, WideFromWin1251(font.name).c_str(), LF_FACESIZE);

  CHOOSEFONTW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = owner;
  choose.lpLogFont = &logFont;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  choose.rgbColors = font.color;
  if (!ChooseFontW(&choose)) return false;

  font.name = Win1251FromWide(logFont.lfFaceName);
  font.size = choose.iPointSize / 10;
  font.height = logFont.lfHeight;
  font.charset = logFont.lfCharSet;
  font.color = choose.rgbColors;
  font.style = (logFont.lfWeight >= FW_BOLD ? kFontBold : 0u) | (logFont.lfItalic ? kFontItalic : 0u) |
               (logFont.lfUnderline ? kFontUnderline : 0u) | (logFont.lfStrikeOut ? kFontStrikeOut : 0u);
  return true;
}

}  // namespace quillo

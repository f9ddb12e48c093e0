#include "app/printing/text_printer.h"

#include <string_view>

#include "app/platform/error_box.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"

namespace quillo {
namespace {

// A started job is ended or, when the printing stops early, cancelled.
class PrintJob {
 public:
  PrintJob(HDC dc, const DOCINFOW& info) : dc_(dc), started_(StartDocW(dc, &info) > 0) {}
  ~PrintJob() {
    if (started_ && !ended_) AbortDoc(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  bool Started() const { return started_; }
  bool End() {
    ended_ = true;
    return EndDoc(dc_) > 0;
  }

 private:
  HDC dc_;
  bool started_;
  bool ended_ = false;
};

PrinterMetrics MetricsOf(HDC dc) {
  PrinterMetrics m;
  m.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  m.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  m.paperWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
  m.paperHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
  m.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  m.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  m.printableWidth = GetDeviceCaps(dc, HORZRES);
  m.printableHeight = GetDeviceCaps(dc, VERTRES);
  return m;
}

FontHandle CreatePrinterFont(HDC dc, const PrintFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.twips, GetDeviceCaps(dc, LOGPIXELSY), 1440);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikeOut;
  lf.lfCharSet = font.charset;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
  return FontHandle(CreateFontIndirectW(&lf));
}

const wchar_t* Chars(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

[[noreturn]] void Fail(std::string_view pattern, const std::wstring& printer) {
  throw UserError(FormatMessageText(pattern, Utf8(printer)));
}

}  // namespace

int PrintText(const PrintRequest& request) {
  const std::wstring& printer = request.device.printer.name;
  const auto* devMode = request.device.devMode.empty()
                            ? nullptr
                            : reinterpret_cast<const DEVMODEW*>(request.device.devMode.data());
  OwnDC dc(CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, devMode));
  if (!dc) Fail("Не удалось подготовить к печати принтер \"%s\".", printer);
  SetMapMode(dc, MM_TEXT);
  FontHandle font = CreatePrinterFont(dc, request.font);
  if (!font) Fail("Не удалось выбрать шрифт для принтера \"%s\".", printer);
  SelectedObject selected(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);

  auto fit = [&dc](std::u16string_view text, int maxWidth) -> size_t {
    INT fits = 0;
    SIZE size{};
    if (!GetTextExtentExPointW(dc, Chars(text), static_cast<int>(text.size()), maxWidth, &fits, nullptr, &size))
      return 0;
    return static_cast<size_t>(fits);
  };
  const DeviceRect area = TextRectangle(MetricsOf(dc), request.margins);
  std::optional<PrintLayout> layout = LayOutText(request.text, area, tm.tmHeight, fit);
  if (!layout)
    throw UserError("Поля страницы слишком велики: на странице не остаётся места даже для одной строки.");

  DOCINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = request.title.c_str();
  PrintJob job(dc, info);
  if (!job.Started()) Fail("Принтер \"%s\" не начал печать.", printer);
  for (const PageSpan& page : layout->pages) {
    if (StartPage(dc) <= 0) Fail("Печать прервана: принтер \"%s\" не принял страницу.", printer);
    // Some drivers set the context back to its defaults at every page.
    SelectObject(dc, font);
    SetMapMode(dc, MM_TEXT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    int y = area.top;
    for (size_t i = page.firstRow; i < page.firstRow + page.rowCount; ++i) {
      const TextRow& row = layout->rows[i];
      if (row.length > 0)
        ExtTextOutW(dc, area.left, y, 0, nullptr, Chars(std::u16string_view(layout->text).substr(row.start)),
                    static_cast<UINT>(row.length), nullptr);
      y += tm.tmHeight;
    }
    if (EndPage(dc) <= 0) Fail("Печать прервана: принтер \"%s\" не принял страницу.", printer);
  }
  if (!job.End()) Fail("Принтер \"%s\" не закончил печать.", printer);
  return static_cast<int>(layout->pages.size());
}

}  // namespace quillo

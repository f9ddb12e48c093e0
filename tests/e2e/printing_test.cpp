// Printing for real. Printing.* run in the CUPS session of scripts/test.sh:
// the default printer "PDF" writes each job as a PDF, read back with
// poppler's tools. NoPrinter.* run where Wine sees no printer at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/action_table.h"
#include "core/menu_layout.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/printed_pdf.h"

namespace quillo::e2e {
namespace {

constexpr char kNoPrinterText[] = "Не установлен ни один принтер: печатать не на чем.";

UINT CommandOf(ActionId id) { return static_cast<UINT>(id); }

std::vector<std::string> WordsOf(std::string_view utf8) {
  std::string text(utf8);
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// 120 numbered lines and, in the middle, one line far wider than a page:
// three A4 pages in a 12-point font with these margins.
std::string ThreePageDocument() {
  std::string doc;
  for (int i = 1; i <= 120; ++i) {
    doc += "Строка " + std::to_string(i) + ": съешь же ещё этих мягких французских булок";
    if (i % 3 == 0) doc += ", да выпей чаю";
    if (i == 60) {
      for (int k = 1; k <= 40; ++k) doc += " длинная" + std::to_string(k);
    }
    doc += "\r\n";
  }
  return doc;
}

// The settings file's value of a key, with '.' for the decimal separator.
std::string IniValue(const std::string& ini, const std::string& key) {
  size_t at = ini.find("\n" + key + "=");
  if (at == std::string::npos) return {};
  at += key.size() + 2;
  std::string value = ini.substr(at, ini.find_first_of("\r\n", at) - at);
  std::replace(value.begin(), value.end(), ',', '.');
  return value;
}

struct MarginsMm {
  double left, top, right, bottom;
};

// Every word inside the margins, and the text reaching the left and top
// margins (they are where rows start, not just a bound).
void ExpectTextBoxWithin(const PrintedPdf& pdf, MarginsMm m) {
  const double slack = 1.5;  // points
  for (size_t p = 0; p < pdf.pages.size(); ++p) {
    const PdfPage& page = pdf.pages[p];
    ASSERT_FALSE(page.words.empty()) << "page " << p + 1;
    double minX = 1e9, minY = 1e9;
    for (const PdfWord& w : page.words) {
      EXPECT_GE(w.xMin, Points(m.left) - slack) << w.text << " on page " << p + 1;
      EXPECT_LE(w.xMax, page.ShownWidth() - Points(m.right) + slack) << w.text << " on page " << p + 1;
      EXPECT_GE(w.yMin, Points(m.top) - slack) << w.text << " on page " << p + 1;
      EXPECT_LE(w.yMax, page.ShownHeight() - Points(m.bottom) + slack) << w.text << " on page " << p + 1;
      minX = std::min(minX, w.xMin);
      minY = std::min(minY, w.yMin);
    }
    EXPECT_NEAR(minX, Points(m.left), slack) << "page " << p + 1;
    EXPECT_NEAR(minY, Points(m.top), 4.0) << "page " << p + 1;
  }
}

// The page setup dialog of the process: a dialog with the orientation buttons.
HWND WaitForPageSetup(DWORD pid) {
  HWND found = nullptr;
  WaitUntil([&] {
    found = nullptr;
    for (HWND h = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); h && !found;
         h = FindWindowExW(nullptr, h, L"#32770", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(h, &owner);
      if (owner == pid && IsWindowVisible(h) && GetDlgItem(h, 0x421 /* rad2 */)) found = h;
    }
    return found != nullptr;
  });
  return found;
}

void SetControlText(HWND dialog, int id, const wchar_t* text) {
  SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
}

void Press(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
}

TEST(Printing, ThreePagesInOrderWithinTheMarginsTitledAsTheWindow) {
  PdfOutbox outbox;
  ASSERT_TRUE(outbox.Ready());
  Scratch scratch("print-pages");
  // A stored printer index beyond the installed printers means the default one.
  scratch.WriteSettings("[Print]\r\nLeft=25\r\nRight=15\r\nTop=30\r\nBottom=20\r\nPrintIndex=7\r\n");
  const std::string doc = ThreePageDocument();
  scratch.WriteFile(L"три страницы.txt", Cp1251(doc));
  Quillo q(scratch, L"\"" + scratch.Path(L"три страницы.txt") + L"\"");
  q.MainWindow();
  q.Keys("ctrl+p");
  std::optional<PrintedPdf> pdf = outbox.WaitForNext();
  ASSERT_TRUE(pdf) << "nothing was printed";
  EXPECT_EQ(pdf->pages.size(), 3u);
  EXPECT_EQ(pdf->Words(), WordsOf(doc));
  EXPECT_NE(pdf->titleBytes.find(Cp1251(U8(q.Caption()))), std::string::npos) << pdf->titleBytes;
  ExpectTextBoxWithin(*pdf, {25, 30, 15, 20});
  for (const PdfPage& page : pdf->pages) EXPECT_FALSE(page.Landscape());
  // The pages before the last are full: their last row ends within two rows
  // of the bottom margin.
  for (size_t p = 0; p + 1 < pdf->pages.size(); ++p) {
    double bottom = 0;
    for (const PdfWord& w : pdf->pages[p].words) bottom = std::max(bottom, w.yMax);
    EXPECT_GT(bottom, pdf->pages[p].ShownHeight() - Points(20) - 30) << "page " << p + 1;
  }
}

TEST(Printing, TheSelectionPrintsOnlyItself) {
  PdfOutbox outbox;
  ASSERT_TRUE(outbox.Ready());
  Scratch scratch("print-selection");
  scratch.WriteFile(L"doc.txt", Cp1251("первая строка\r\nвторая строка текста\r\nтретья строка\r\nчетвёртая"));
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  // From "строка текста" in the second line to "третья" in the third (one
  // character per line break in the control).
  q.Select(21, 41);
  q.Keys("ctrl+shift+p");
  std::optional<PrintedPdf> pdf = outbox.WaitForNext();
  ASSERT_TRUE(pdf);
  EXPECT_EQ(pdf->pages.size(), 1u);
  EXPECT_EQ(pdf->Words(), (std::vector<std::string>{"строка", "текста", "третья"}));
}

// The page setup dialog writes its margins and orientation to the settings
// file even when cancelled; landscape chosen there gives landscape pages.
TEST(Printing, PageSetupStoresMarginsAndLandscapeForTheNextPrint) {
  PdfOutbox outbox;
  ASSERT_TRUE(outbox.Ready());
  Scratch scratch("print-setup");
  scratch.WriteSettings("[Print]\r\nLeft=12.3456\r\n");
  scratch.WriteFile(L"doc.txt", Cp1251(ThreePageDocument()));
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();

  q.Command(CommandOf(ActionId::PrintPageDlg));
  HWND dialog = WaitForPageSetup(q.Pid());
  ASSERT_NE(dialog, nullptr);
  Press(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return IniValue(scratch.ReadFile(L"quillo.ini"), "Left") == "12.35"; }))
      << scratch.ReadFile(L"quillo.ini");

  q.Command(CommandOf(ActionId::PrintPageDlg));
  dialog = WaitForPageSetup(q.Pid());
  ASSERT_NE(dialog, nullptr);
  SendMessageTimeoutW(GetDlgItem(dialog, 0x421), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  SetControlText(dialog, 0x483, L"10");  // edt4 left
  SetControlText(dialog, 0x484, L"12");  // edt5 top
  SetControlText(dialog, 0x485, L"14");  // edt6 right
  SetControlText(dialog, 0x486, L"16");  // edt7 bottom
  Press(dialog, IDOK);
  std::string ini;
  EXPECT_TRUE(WaitUntil([&] {
    ini = scratch.ReadFile(L"quillo.ini");
    return IniValue(ini, "Orientation") == "1";
  })) << ini;
  EXPECT_EQ(IniValue(ini, "Left"), "10");
  EXPECT_EQ(IniValue(ini, "Top"), "12");
  EXPECT_EQ(IniValue(ini, "Right"), "14");
  EXPECT_EQ(IniValue(ini, "Bottom"), "16");

  q.Keys("ctrl+p");
  std::optional<PrintedPdf> pdf = outbox.WaitForNext();
  ASSERT_TRUE(pdf);
  ASSERT_FALSE(pdf->pages.empty());
  for (const PdfPage& page : pdf->pages) EXPECT_TRUE(page.Landscape());
  EXPECT_EQ(pdf->Words(), WordsOf(ThreePageDocument()));
  ExpectTextBoxWithin(*pdf, {10, 12, 14, 16});
}

TEST(Printing, MarginsThatLeaveNoRoomStopWithAMessage) {
  PdfOutbox outbox;
  ASSERT_TRUE(outbox.Ready());
  Scratch scratch("print-no-room");
  scratch.WriteSettings("[Print]\r\nLeft=120\r\nRight=100\r\n");
  scratch.WriteFile(L"doc.txt", Cp1251("текст"));
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  q.Command(CommandOf(ActionId::Print));
  HWND box = q.WaitForMessageBox("Ошибка");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Quillo::MessageBoxText(box),
            W("Поля страницы слишком велики: на странице не остаётся места даже для одной строки."));
  Quillo::Press(box, IDOK);
  EXPECT_TRUE(outbox.NothingWithin(std::chrono::seconds(2)));
  EXPECT_TRUE(q.Running());
}

TEST(Printing, AChosenPrinterIsStored) {
  Scratch scratch("print-choose");
  Quillo q(scratch);
  q.MainWindow();
  q.Command(static_cast<UINT>(GetRuntimeList(RuntimeList::Printers).firstCommandId));
  q.Keys("Escape");
  ASSERT_TRUE(q.WaitForExit());
  EXPECT_EQ(IniValue(scratch.ReadFile(L"Quillo2.ini"), "PrintIndex"), "0");
}

TEST(NoPrinter, EveryPrintCommandSaysSoAndNothingElseHappens) {
  Scratch scratch("no-printer");
  scratch.WriteFile(L"doc.txt", Cp1251("текст для печати"));
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  q.Select(0, 5);
  const std::pair<const char*, UINT> commands[] = {
      {"Print", 0}, {"PrintSelText", CommandOf(ActionId::PrintSelText)},
      {"PrintPageDlg", CommandOf(ActionId::PrintPageDlg)}};
  for (const auto& [name, command] : commands) {
    if (command == 0)
      q.Keys("ctrl+p");
    else
      q.Command(command);
    HWND box = q.WaitForMessageBox("Ошибка");
    ASSERT_NE(box, nullptr) << name;
    EXPECT_EQ(Quillo::MessageBoxText(box), W(kNoPrinterText)) << name;
    Quillo::Press(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << name;
  }
  EXPECT_TRUE(q.Running());
  EXPECT_EQ(q.Text(), Cp1251("текст для печати"));
  EXPECT_EQ(q.Selection(), (std::pair<int, int>{0, 5}));
}

}  // namespace
}  // namespace quillo::e2e

#include "tests/e2e/printed_pdf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace quillo::e2e {
namespace {

std::string ReadAll(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (::ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(f);
  return bytes;
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD put = 0;
  ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  CloseHandle(f);
}

std::vector<std::wstring> PdfFiles(const std::wstring& dir) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"\\*.pdf").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(data.cFileName);
  while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

// A PDF that ends in its end-of-file mark and has stopped growing.
bool Complete(const std::wstring& path) {
  std::string first = ReadAll(path);
  if (first.size() < 16 || first.find("%%EOF", first.size() - 16) == std::string::npos) return false;
  Sleep(200);
  return ReadAll(path).size() == first.size();
}

std::string Attribute(const std::string& line, const char* name) {
  std::string key = std::string(" ") + name + "=\"";
  size_t at = line.find(key);
  if (at == std::string::npos) return {};
  at += key.size();
  return line.substr(at, line.find('"', at) - at);
}

std::string DecodeEntities(const std::string& s) {
  static const std::pair<const char*, const char*> kNamed[] = {
      {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}};
  std::string out;
  for (size_t i = 0; i < s.size();) {
    bool replaced = false;
    for (const auto& [entity, text] : kNamed) {
      if (s.compare(i, std::strlen(entity), entity) == 0) {
        out += text;
        i += std::strlen(entity);
        replaced = true;
        break;
      }
    }
    if (!replaced) out += s[i++];
  }
  return out;
}

void ReadInfo(const std::string& info, PrintedPdf& pdf) {
  std::istringstream lines(info);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("Title:", 0) == 0) {
      size_t value = line.find_first_not_of(' ', 6);
      pdf.titleBytes = value == std::string::npos ? "" : line.substr(value);
      continue;
    }
    int page = 0, rotation = 0;
    if (std::sscanf(line.c_str(), "Page %d rot: %d", &page, &rotation) == 2 && page >= 1 &&
        static_cast<size_t>(page) <= pdf.pages.size())
      pdf.pages[static_cast<size_t>(page) - 1].rotation = rotation;
  }
}

void ReadWords(const std::string& html, PrintedPdf& pdf) {
  std::istringstream lines(html);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.find("<page ") != std::string::npos) {
      PdfPage page;
      page.width = std::atof(Attribute(line, "width").c_str());
      page.height = std::atof(Attribute(line, "height").c_str());
      pdf.pages.push_back(page);
    } else if (line.find("<word ") != std::string::npos && !pdf.pages.empty()) {
      PdfWord word;
      word.xMin = std::atof(Attribute(line, "xMin").c_str());
      word.yMin = std::atof(Attribute(line, "yMin").c_str());
      word.xMax = std::atof(Attribute(line, "xMax").c_str());
      word.yMax = std::atof(Attribute(line, "yMax").c_str());
      size_t open = line.find('>') + 1;
      word.text = DecodeEntities(line.substr(open, line.rfind("</word>") - open));
      pdf.pages.back().words.push_back(word);
    }
  }
}

}  // namespace

std::vector<std::string> PrintedPdf::Words() const {
  std::vector<std::string> words;
  for (const PdfPage& page : pages)
    for (const PdfWord& word : page.words) words.push_back(word.text);
  return words;
}

PdfOutbox::PdfOutbox() {
  const char* dir = std::getenv("QUILLO_PDF_OUT");
  if (!dir || !*dir) {
    ADD_FAILURE() << "QUILLO_PDF_OUT is not set: printing tests run in the CUPS session of "
                     "scripts/test.sh (or QUILLO_WITH_PRINTER=1 scripts/dev_test.sh)";
    return;
  }
  unixDir_ = dir;
  dir_ = L"Z:" + W(unixDir_);
  std::replace(dir_.begin(), dir_.end(), L'/', L'\\');
  seen_ = PdfFiles(dir_);
}

std::optional<std::wstring> PdfOutbox::NewFile() {
  for (const std::wstring& name : PdfFiles(dir_))
    if (std::find(seen_.begin(), seen_.end(), name) == seen_.end()) return name;
  return std::nullopt;
}

bool PdfOutbox::NothingWithin(Duration time) {
  return !WaitUntil([&] { return NewFile().has_value(); }, time);
}

std::optional<PrintedPdf> PdfOutbox::WaitForNext(Duration timeout) {
  if (!Ready()) return std::nullopt;
  std::optional<std::wstring> name;
  if (!WaitUntil([&] { return (name = NewFile()) && Complete(dir_ + L"\\" + *name); }, timeout))
    return std::nullopt;
  seen_.push_back(*name);

  // Unix programs started from Wine cannot be waited for: the script leaves
  // a mark when it is done.
  static int reads = 0;
  const std::string tag = "read-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++reads);
  const std::wstring base = dir_ + L"\\" + W(tag);
  WriteAll(base + L".sh", "cd '" + unixDir_ + "' || exit 1\n"
                          "pdfinfo -enc Latin1 -f 1 -l 9999 '" + U8(*name) + "' > " + tag + ".info 2>&1\n"
                          "pdftotext -bbox '" + U8(*name) + "' " + tag + ".html 2>> " + tag + ".info\n"
                          "echo done > " + tag + ".done\n");
  std::wstring command = L"/bin/sh " + W(unixDir_ + "/" + tag + ".sh");
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot start /bin/sh";
    return std::nullopt;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (!WaitUntil([&] { return GetFileAttributesW((base + L".done").c_str()) != INVALID_FILE_ATTRIBUTES; },
                 std::chrono::seconds(30))) {
    ADD_FAILURE() << "pdfinfo / pdftotext did not finish: " << ReadAll(base + L".info");
    return std::nullopt;
  }
  PrintedPdf pdf;
  ReadWords(ReadAll(base + L".html"), pdf);
  ReadInfo(ReadAll(base + L".info"), pdf);
  return pdf;
}

}  // namespace quillo::e2e

#pragma once
// The commands of the "Файл" menu that work on files: new, open, the save
// family, reload, insert from and save part of the text, append, save all,
// delete.
#include <string>

#include "core/codepage.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class FileCommands {
 public:
  explicit FileCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

 private:
  void New();
  void Open();
  void SaveInCodePage(TCodePage page);
  void SaveUnderNewName();
  void Reload();
  void InsertFrom();
  void SaveSelection();
  void AppendTo();
  void SaveAll();
  void Delete();

  AppContext& ctx_;
};

}  // namespace quillo

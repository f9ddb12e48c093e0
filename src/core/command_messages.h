#pragma once
// The numbered window messages through which other programs, plug-ins and
// other instances run the editor's commands (WM_USER+501 … +537), and what
// one of them asks for once its wParam and lParam are read. The window layer
// carries the plan out with the actions of the command table.
//
// No message carries a pointer: wParam and lParam are numbers (a count, a
// flag, an index, a colour), so nothing another process sends is ever read
// through.
#include <cstdint>
#include <optional>

#include "core/action_table.h"
#include "core/setting_values.h"

namespace quillo {

inline constexpr unsigned kWindowsUserMessage = 0x0400;  // WM_USER

enum class CommandMessage : unsigned {
  FileNew = kWindowsUserMessage + 501,
  FileNewWindow,
  FileOpen,
  FileOpenNewWindow,
  FileSave,
  FileSaveAs,
  FileInsertFrom,
  FileSaveAs2,
  PageSetup,
  Print,
  Undo,
  Redo,
  Cut,
  CutAdd,
  Copy,
  CopyAdd,
  Paste,
  SwapClipboard,
  Delete,
  SelectAll,
  Find,
  FindNext,
  Find2,
  GoToLine,
  AutoCodePage,
  DetectCodePage,
  CodePage,
  BookmarkAdd,
  BookmarkDelete,
  WordWrap,
  ToolBar,
  StatusBar,
  FullScreen,
  Font,
  Background,
  Options,
  ReadOnly,  // WM_USER+537
};

inline constexpr unsigned kFirstCommandMessage = static_cast<unsigned>(CommandMessage::FileNew);
inline constexpr unsigned kLastCommandMessage = static_cast<unsigned>(CommandMessage::ReadOnly);

enum class MessageEffect {
  kRun,           // run `action`; result 1 when it ran, else 0
  kRunRepeated,   // run `action` `count` times; result of the last run, 0 when none
  kOpenRecent,    // choose the recent file at `index` (0 = newest); 1, or 0 when none or it failed
  kSetToggle,     // bring `action`'s check mark to `on` (running it only to flip); result 0
  kSetWordWrap,   // the editor's word wrap `on`, nothing stored; result 0
  kFontPreset,    // run the preset action `action`; 0 also when it raised
  kSetBackground, // the editor's background becomes `color`, nothing stored; result 0
  kNothing,       // result 0 (a preset that does not exist)
};

struct MessagePlan {
  MessageEffect effect = MessageEffect::kNothing;
  ActionId action = ActionId::FileNew;
  int count = 0;
  bool on = false;
  int index = 0;
  Color color = kBlack;
};

// The plan for a command message; nothing for any other message number.
// wParam and lParam as the window procedure receives them: a 32-bit sender's
// values arrive in their low 32 bits.
std::optional<MessagePlan> PlanCommandMessage(unsigned message, std::uint64_t wParam,
                                              std::uint64_t lParam);

}  // namespace quillo

// How a command message's wParam and lParam are read: the low byte of the
// on/off messages, signed counts, the code-page numbers of the two messages
// that use them differently, presets and colours.
#include "core/command_messages.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

constexpr unsigned Msg(CommandMessage m) { return static_cast<unsigned>(m); }

MessagePlan Plan(CommandMessage m, std::uint64_t wParam, std::uint64_t lParam = 0) {
  auto plan = PlanCommandMessage(Msg(m), wParam, lParam);
  EXPECT_TRUE(plan.has_value());
  return plan.value_or(MessagePlan{});
}

TEST(CommandMessages, OnlyTheThirtySevenNumbersAreCommandMessages) {
  EXPECT_EQ(kLastCommandMessage - kFirstCommandMessage + 1, 37u);
  EXPECT_EQ(kFirstCommandMessage, 1525u);
  EXPECT_FALSE(PlanCommandMessage(kFirstCommandMessage - 1, 0, 0));
  EXPECT_FALSE(PlanCommandMessage(kLastCommandMessage + 1, 0, 0));
  for (unsigned m = kFirstCommandMessage; m <= kLastCommandMessage; ++m)
    EXPECT_TRUE(PlanCommandMessage(m, 0, 0)) << m;
}

TEST(CommandMessages, CodePageNumbersDifferBetweenSavingAndShowing) {
  struct Case {
    CommandMessage message;
    std::uint64_t wParam;
    ActionId action;
  } const cases[] = {
      {CommandMessage::FileSave, 0, ActionId::FileSave},
      {CommandMessage::FileSave, 1, ActionId::FileSaveInWinCod},
      {CommandMessage::FileSave, 2, ActionId::FileSaveInDosCod},
      {CommandMessage::FileSave, 3, ActionId::FileSaveInKoiCod},
      {CommandMessage::FileSave, 7, ActionId::FileSaveInWinCod},
      {CommandMessage::CodePage, 0, ActionId::CodWIN},
      {CommandMessage::CodePage, 1, ActionId::CodDOS},
      {CommandMessage::CodePage, 2, ActionId::CodKOI},
      {CommandMessage::CodePage, 3, ActionId::CodWIN},
      {CommandMessage::Print, 0, ActionId::Print},
      {CommandMessage::Print, 5, ActionId::PrintSelText},
  };
  for (const Case& c : cases) {
    MessagePlan plan = Plan(c.message, c.wParam);
    EXPECT_EQ(plan.effect, MessageEffect::kRun) << Msg(c.message) << " " << c.wParam;
    EXPECT_EQ(plan.action, c.action) << Msg(c.message) << " " << c.wParam;
  }
}

TEST(CommandMessages, OnOffMessagesReadTheLowByteOnly) {
  for (CommandMessage m : {CommandMessage::AutoCodePage, CommandMessage::WordWrap, CommandMessage::ToolBar,
                           CommandMessage::StatusBar, CommandMessage::FullScreen, CommandMessage::ReadOnly}) {
    EXPECT_TRUE(Plan(m, 1).on) << Msg(m);
    EXPECT_TRUE(Plan(m, 0x101).on) << Msg(m);
    EXPECT_FALSE(Plan(m, 0).on) << Msg(m);
    EXPECT_FALSE(Plan(m, 256).on) << Msg(m);
    EXPECT_FALSE(Plan(m, 0xFFFFFF00).on) << Msg(m);
  }
  EXPECT_EQ(Plan(CommandMessage::WordWrap, 1).effect, MessageEffect::kSetWordWrap);
  EXPECT_EQ(Plan(CommandMessage::FullScreen, 1).effect, MessageEffect::kSetToggle);
  EXPECT_EQ(Plan(CommandMessage::FullScreen, 1).action, ActionId::OptFullScreen);
}

TEST(CommandMessages, UndoAndRedoCountsAreSignedAsA32BitSenderWritesThem) {
  EXPECT_EQ(Plan(CommandMessage::Undo, 3).count, 3);
  EXPECT_EQ(Plan(CommandMessage::Undo, 0).count, 0);
  EXPECT_EQ(Plan(CommandMessage::Redo, 0xFFFFFFFF).count, -1);             // -1 from a 32-bit sender
  EXPECT_EQ(Plan(CommandMessage::Redo, 0xFFFFFFFFFFFFFFFEull).count, -2);  // -2 from a 64-bit one
  EXPECT_EQ(Plan(CommandMessage::Undo, 3).effect, MessageEffect::kRunRepeated);
  EXPECT_EQ(Plan(CommandMessage::Redo, 3).action, ActionId::EditRedo);
}

TEST(CommandMessages, OpenChoosesTheRecentFileByItsIndexFromZero) {
  EXPECT_EQ(Plan(CommandMessage::FileOpen, 0).effect, MessageEffect::kRun);
  MessagePlan second = Plan(CommandMessage::FileOpen, 1);
  EXPECT_EQ(second.effect, MessageEffect::kOpenRecent);
  EXPECT_EQ(second.index, 1);
  EXPECT_EQ(Plan(CommandMessage::FileOpen, 0xFFFFFFFFFFull).index, 0x7FFFFFFF);
}

TEST(CommandMessages, FontPresetsOneToFourAndNoOther) {
  EXPECT_EQ(Plan(CommandMessage::Font, 0).action, ActionId::OptFont);
  EXPECT_EQ(Plan(CommandMessage::Font, 1).action, ActionId::OptFont1);
  EXPECT_EQ(Plan(CommandMessage::Font, 4).action, ActionId::OptFont4);
  EXPECT_EQ(Plan(CommandMessage::Font, 4).effect, MessageEffect::kFontPreset);
  EXPECT_EQ(Plan(CommandMessage::Font, 5).effect, MessageEffect::kNothing);
}

TEST(CommandMessages, BackgroundTakesTheColourFromLParamWithoutADialog) {
  MessagePlan red = Plan(CommandMessage::Background, 1, 255);
  EXPECT_EQ(red.effect, MessageEffect::kSetBackground);
  EXPECT_EQ(red.color, MakeColor(255, 0, 0));
  EXPECT_EQ(Plan(CommandMessage::Background, 1, 0x0200FF00).color, MakeColor(0, 255, 0));
  EXPECT_EQ(Plan(CommandMessage::Background, 0, 255).action, ActionId::OptBackground);
}

}  // namespace
}  // namespace quillo

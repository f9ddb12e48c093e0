#pragma once
// The editor's font: the font dialog, size steps, and the four stored
// presets ("Шрифт" in "Вид" and the tool bar's font button).
namespace quillo {

struct AppContext;
struct FontSetting;
class ActionRegistry;

class FontCommands {
 public:
  explicit FontCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

 private:
  void ChooseEditorFont();
  void StepSize(int points);
  void Preset(int number);
  // The editor shows the font, and section "Font" stores it.
  void UseFont(const FontSetting& font);

  AppContext& ctx_;
};

}  // namespace quillo

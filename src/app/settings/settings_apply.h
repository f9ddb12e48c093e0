#pragma once
// The settings' values applied to the window, in the order the rest of the
// program relies on, and the window placement of section "View".
namespace quillo {

struct AppContext;
struct FontSetting;
class MyRichEdit;

// The editor takes a font as its settings section stores it.
void ApplyEditorFont(MyRichEdit& editor, const FontSetting& font);

// Reads the values from the settings file's image and applies them; the
// background colour only with withBackground (at start-up).
void ApplySettings(AppContext& ctx, bool withBackground);

// The editor's share of the values as they are held now: font, word wrap,
// link detection, the dialogs' folder, word selection. The other features
// apply theirs through their own ApplySettings.
void ApplyEditorSettings(AppContext& ctx);

// Read at start-up and written at exit.
void ApplyWindowPlacement(AppContext& ctx);
void StoreWindowPlacement(AppContext& ctx);

}  // namespace quillo

#pragma once
// The settings window's values and rules, apart from the window: what it shows on opening, what
// "Apply" takes over and when it may close, and which browsed editor paths it accepts.
#include <array>
#include <optional>
#include <string>

#include "app/settings.h"
#include "base/uiport.h"

namespace kestrel {

struct SettingsForm {
    std::string tdbEditorPath;
    std::string tinkerPath;
    bool include4b4a = true;
    bool variousIcons = false;
    std::string poiWidth;              // "Non-City POI width", as typed
    std::string cityPoiWidth;          // "City POIs width", as typed
    std::array<bool, 3> typeOnBmp{};   // per kind: "TYPE on BMP"
    std::array<bool, 3> colorPicker{}; // per kind: "Color Picker"
};

// The controls' values on opening.
SettingsForm settingsForm(const Settings& settings);

// "Apply": takes every field over, then checks the POI widths. False (after the message) keeps
// the window open; the values are taken over all the same.
bool applySettings(const SettingsForm& form, Settings& settings, UiPort& ui);

// A `Tinker` path naming "5.exe" is the installer's launcher; the editor itself is "tnk5.exe".
std::string tinkerProgram(const std::string& path);

// The browse buttons: the new path to show, or nothing when it stays as it was (a cancelled
// window or a file that does not exist; a name without "tdb_editor.exe" / ".exe" says so).
std::optional<std::string> browsedTdbEditor(const std::string& chosen, UiPort& ui);
std::optional<std::string> browsedTinker(const std::string& chosen, UiPort& ui);

} // namespace kestrel

#include "app/settings_form.h"

#include "app/messages.h"
#include "base/paths.h"
#include "base/text.h"

namespace kestrel {
namespace {

bool within(const std::string& text, double low, double high) {
    const double v = val(text);
    return v >= low && v <= high;
}

std::optional<std::string> browsed(const std::string& chosen, std::string_view mustContain,
                                   std::string_view failure, UiPort& ui) {
    if (chosen.empty() || !fileExists(chosen)) return std::nullopt;
    if (!contains(lcase(chosen), mustContain)) {
        ui.message(std::string(failure));
        return std::nullopt;
    }
    return chosen;
}

} // namespace

SettingsForm settingsForm(const Settings& settings) {
    SettingsForm form;
    form.tdbEditorPath = settings.tdbEditorPath;
    form.tinkerPath = settings.tinkerPath;
    form.include4b4a = settings.include4b4a;
    form.variousIcons = settings.variousIcons;
    form.poiWidth = std::to_string(settings.poiWidths.poi);
    form.cityPoiWidth = std::to_string(settings.poiWidths.city);
    for (std::size_t k = 0; k < 3; ++k) {
        form.typeOnBmp[k] = settings.kindmode[k] >= kModeTypeOnBmp;
        form.colorPicker[k] = settings.kindmode[k] == kModeColorPicker;
    }
    return form;
}

std::string tinkerProgram(const std::string& path) {
    return replaceAll(replaceAll(path, "\\5.exe", "\\tnk5.exe"), "/5.exe", "/tnk5.exe");
}

bool applySettings(const SettingsForm& form, Settings& settings, UiPort& ui) {
    settings.tinkerPath = tinkerProgram(form.tinkerPath);
    settings.tdbEditorPath = form.tdbEditorPath;
    settings.variousIcons = form.variousIcons;
    settings.include4b4a = form.include4b4a;
    for (std::size_t k = 0; k < 3; ++k) {
        settings.kindmode[k] = form.typeOnBmp[k]     ? kModeTypeOnBmp
                               : form.colorPicker[k] ? kModeColorPicker
                                                     : kModeCatalogue;
    }
    settings.poiWidths.city = poiWidthOf(val(form.cityPoiWidth));
    settings.poiWidths.poi = poiWidthOf(val(form.poiWidth));
    if (!within(form.poiWidth, 1, 64)) {
        ui.message(std::string(kPoiWidth1));
        return false;
    }
    if (!within(form.cityPoiWidth, 4, 64)) {
        ui.message(std::string(kPoiWidth4));
        return false;
    }
    return true;
}

std::optional<std::string> browsedTdbEditor(const std::string& chosen, UiPort& ui) {
    return browsed(chosen, "tdb_editor.exe", kTdbEditorNotFound, ui);
}

std::optional<std::string> browsedTinker(const std::string& chosen, UiPort& ui) {
    return browsed(chosen, ".exe", kTinkerNotFound, ui);
}

} // namespace kestrel

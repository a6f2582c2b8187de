#include "app/shell_commands.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "app/messages.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"

namespace kestrel {

std::string verText(float ver) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, ver);
    return std::string(buf, r.ptr);
}

std::string cap(float ver, const std::string& name) {
    return std::string(kCaptionPrefix) + verText(ver) + " " + lcase(name);
}

std::array<std::string, 3> shw_tp(const std::array<int, 3>& kindmode) {
    std::array<std::string, 3> out;
    for (std::size_t k = 0; k < 3; ++k) {
        const char mark = kindmode[k] == kModeColorPicker                ? 'C'
                          : kindmode[k] == kModeTypeOnBmp && k != kLines ? 'B'
                                                                         : '-';
        out[k] = std::string(1, mark);
    }
    return out;
}

bool kindsForCreate(const std::array<bool, 3>& kindsel, UiPort& ui) {
    const auto ticked = std::count(kindsel.begin(), kindsel.end(), true);
    if (ticked == 0) {
        ui.message(std::string(kSelectKind));
        return false;
    }
    if (ticked < 3) return ui.ask(std::string(kDeselected), Buttons::YesNo) == Answer::Yes;
    return true;
}

void escapePressed(bool batchRunning, UiPort& ui) {
    ui.setStopflag(true);
    if (batchRunning) ui.message(std::string(kProcessHalted));
}

std::array<bool, 7> recentEnabled(const std::array<std::string, 7>& items) {
    std::array<bool, 7> out{};
    for (std::size_t i = 0; i < items.size(); ++i)
        out[i] = !items[i].empty() && fileExists(items[i]);
    return out;
}

std::string dropText(const std::vector<std::string>& paths, bool onList) {
    if (paths.empty()) return {};
    if (!onList) return paths.front();
    std::string text;
    for (const std::string& p : paths) text += p + std::string(kCrLf);
    return text;
}

std::string saveAsTextName(const std::string& name) {
    return contains(name, ".") ? name : name + ".txt";
}

bool replaceQuery(const std::string& path, UiPort& ui) {
    if (!fileExists(path)) return false;
    return ui.ask(replaceQuestion(path), Buttons::YesNo) != Answer::Yes;
}

bool acceptTypFileName(const std::string& name, UiPort& ui) {
    if (!endsWith(lcase(name), ".txt")) {
        ui.message(std::string(kNotTxt));
        return false;
    }
    return !replaceQuery(name, ui);
}

std::vector<std::string> typFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec)) continue;
        const std::string name = it->path().filename().string();
        if (endsWith(lcase(name), ".typ")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool deleteTypFile(const std::string& folder, const std::string& item, UiPort& ui) {
    if (item.empty()) {
        ui.message(std::string(kSelectTypFile));
        return false;
    }
    if (ui.ask(deleteTypFileQuestion(item), Buttons::YesNo) != Answer::Yes) return false;
    const bool removed = removeFile(joinPath(folder, item));
    for (int i = 0; i < 3; ++i) ui.yieldNow();
    return removed;
}

} // namespace kestrel

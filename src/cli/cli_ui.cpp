#include "cli/cli_ui.h"

#include <algorithm>
#include <cstdio>

#include "base/platform/platform.h"
#include "base/text.h"
#include "cli/messages.h"

namespace kestrel {

CliUiPort::CliUiPort(bool quiet, Answer fixedAnswer)
    : quiet_(quiet), fixedAnswer_(fixedAnswer), tty_(!quiet && platform::stderrIsTerminal()) {
    setYieldStride(4096);
}

void CliUiPort::clearBar() {
    if (!barShown_) return;
    std::fputs("\r\033[K", stderr);
    barShown_ = false;
}

void CliUiPort::message(const std::string& text) {
    messages_.push_back(text);
    if (std::find(leftOut_.begin(), leftOut_.end(), text) != leftOut_.end()) return;
    const std::string_view words = cliNote(text);
    if (!words.empty()) noteAbout(file_, words);
}

void CliUiPort::note(std::string_view text) {
    noteAbout({}, text);
}

void CliUiPort::noteAbout(std::string_view file, std::string_view text) {
    if (quiet_) return;
    clearBar();
    // Each line of a message of several lines is a note of its own.
    for (const std::string& line : split(replaceAll(text, "\r\n", "\n"), "\n"))
        printLine(stderr, concat({kProgramPrefix, escapeControls(file), file.empty() ? "" : ": ",
                                  escapeControls(line)}));
}

Answer CliUiPort::ask(const std::string&, Buttons) {
    return fixedAnswer_;
}

void CliUiPort::progress(float percent) {
    // The core's own restarts (a step begun, the bar set back after a batch) do not show: the
    // line counts files instead.
    if (!tty_ || percent <= shown_) return;
    shown_ = percent > 100 ? 100 : percent;
    const int width = 40;
    const int filled = static_cast<int>(shown_ / 100.0f * width + 0.5f);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(width, '.');
    std::fprintf(stderr, "\r%sreading %s[%s] %3d%%", std::string(kProgramPrefix).c_str(),
                 step_.c_str(), bar.c_str(), static_cast<int>(shown_));
    std::fflush(stderr);
    barShown_ = true;
}

void CliUiPort::busy(bool on) {
    if (on) return;
    clearBar();
    file_.clear();
}

void CliUiPort::nowReading(const std::string& name, std::size_t index, std::size_t count) {
    file_ = name;
    if (count > 1) step_ = concat({std::to_string(index + 1), "/", std::to_string(count), " "});
}

void printText(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

void printLine(std::FILE* stream, std::string_view text) {
    printText(stream, text);
    std::fputc('\n', stream);
}

void printError(std::string_view text) {
    printLine(stderr, concat({kProgramPrefix, escapeControls(text)}));
}

} // namespace kestrel

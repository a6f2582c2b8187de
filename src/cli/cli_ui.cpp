#include "cli/cli_ui.h"

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
    const std::string_view words = cliNote(text);
    if (!words.empty()) note(words);
}

void CliUiPort::note(std::string_view text) {
    if (quiet_) return;
    clearBar();
    // Each line of a message of several lines is a note of its own.
    for (const std::string& line : split(replaceAll(text, "\r\n", "\n"), "\n"))
        printLine(stderr, concat({kProgramPrefix, line}));
}

Answer CliUiPort::ask(const std::string&, Buttons) {
    return fixedAnswer_;
}

void CliUiPort::progress(float percent) {
    if (!tty_ || percent <= 0) return;
    const int width = 40;
    const int filled = static_cast<int>(percent / 100.0f * width + 0.5f);
    std::string bar(static_cast<std::size_t>(filled > width ? width : filled), '#');
    bar.resize(width, '.');
    std::fprintf(stderr, "\r%sreading [%s] %3d%%", std::string(kProgramPrefix).c_str(), bar.c_str(),
                 static_cast<int>(percent));
    std::fflush(stderr);
    barShown_ = true;
}

void CliUiPort::busy(bool on) {
    if (!on) clearBar();
}

void printText(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

void printLine(std::FILE* stream, std::string_view text) {
    printText(stream, text);
    std::fputc('\n', stream);
}

void printError(std::string_view text) {
    printLine(stderr, concat({kProgramPrefix, text}));
}

} // namespace kestrel

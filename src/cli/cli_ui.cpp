#include "cli/cli_ui.h"

#include <cstdio>

#include "base/messages.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "cli/messages.h"

namespace kestrel {

CliUiPort::CliUiPort(Answer fixedAnswer) : fixedAnswer_(fixedAnswer) {
    tty_ = platform::stderrIsTerminal();
    setYieldStride(4096);
}

void CliUiPort::clearBar() {
    if (!barShown_) return;
    std::fputs("\r\033[K", stderr);
    barShown_ = false;
}

void CliUiPort::message(const std::string& text) {
    clearBar();
    messages_.push_back(text);
    std::fprintf(stderr, "%s\n", replaceAll(text, "\r\n", "\n").c_str());
}

Answer CliUiPort::ask(const std::string& text, Buttons) {
    clearBar();
    const std::string_view answer = fixedAnswer_ == Answer::Yes  ? kAnswerYes
                                    : fixedAnswer_ == Answer::No ? kAnswerNo
                                                                 : kCancel;
    printLine(stderr, concat({replaceAll(text, "\r\n", "\n"), " [", answer, "]"}));
    return fixedAnswer_;
}

void CliUiPort::progress(float percent) {
    if (!tty_ || percent <= 0) return;
    const int width = 40;
    const int filled = static_cast<int>(percent / 100.0f * width + 0.5f);
    std::string bar(static_cast<std::size_t>(filled > width ? width : filled), '#');
    bar.resize(width, '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), static_cast<int>(percent));
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

} // namespace kestrel

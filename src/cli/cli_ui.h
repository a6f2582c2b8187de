#pragma once
// The command line's side of the core interface: messages to stderr, a progress bar when stderr
// is a terminal, questions answered by a fixed choice (scripts cannot answer).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/uiport.h"

namespace kestrel {

class CliUiPort : public UiPort {
  public:
    explicit CliUiPort(Answer fixedAnswer = Answer::No);

    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    void progress(float percent) override;
    void busy(bool on) override;

    // Every message shown, in order (for --json output).
    const std::vector<std::string>& messages() const { return messages_; }

  protected:
    void pump() override {}

  private:
    void clearBar();

    Answer fixedAnswer_;
    bool tty_;
    bool barShown_ = false;
    std::vector<std::string> messages_;
};

// The text as it is, and the text with a line break, on stdout or stderr.
void printText(std::FILE* stream, std::string_view text);
void printLine(std::FILE* stream, std::string_view text);

} // namespace kestrel

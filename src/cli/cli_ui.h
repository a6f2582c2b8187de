#pragma once
// The command line's side of the core interface: the core's notes in the command line's own
// words on stderr, a progress line while stderr is a terminal, questions answered by a fixed
// choice (scripts cannot answer). --quiet keeps the notes and the progress line off stderr.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/uiport.h"

namespace kestrel {

class CliUiPort : public UiPort {
  public:
    explicit CliUiPort(bool quiet, Answer fixedAnswer = Answer::No);

    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    void progress(float percent) override;
    void busy(bool on) override;

    // A note of the command line's own, "kestrel-cli: " first.
    void note(std::string_view text);
    // Every core note, as the core said it, in order (for --json output).
    const std::vector<std::string>& messages() const { return messages_; }

  protected:
    void pump() override {}

  private:
    void clearBar();

    bool quiet_;
    Answer fixedAnswer_;
    bool tty_;
    bool barShown_ = false;
    std::vector<std::string> messages_;
};

// The text as it is, and the text with a line break, on stdout or stderr.
void printText(std::FILE* stream, std::string_view text);
void printLine(std::FILE* stream, std::string_view text);
// An error: "kestrel-cli: " and the text, on stderr, whatever --quiet says.
void printError(std::string_view text);

} // namespace kestrel

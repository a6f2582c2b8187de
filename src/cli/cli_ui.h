#pragma once
// The command line's side of the core interface: the core's notes in the command line's own
// words on stderr, naming the file they concern; one progress line while stderr is a terminal,
// counting the files of a batch, whose percentage never goes back; questions answered by a fixed
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
    void nowReading(const std::string& name, std::size_t index, std::size_t count) override;

    // A note of the command line's own, "kestrel-cli: " first; each line a note of its own, with
    // its control characters escaped (names from files must not drive the terminal).
    void note(std::string_view text);
    // Keeps a core note off stderr: one the command's options make moot (no family ID found when
    // --fid gives one). --json output still lists it.
    void leaveOut(std::string_view coreText) { leftOut_.emplace_back(coreText); }
    // Every core note, as the core said it, in order (for --json output).
    const std::vector<std::string>& messages() const { return messages_; }

  protected:
    void pump() override {}

  private:
    void clearBar();
    // The note, each line naming the file it is about (none: empty).
    void noteAbout(std::string_view file, std::string_view text);

    bool quiet_;
    Answer fixedAnswer_;
    bool tty_;
    bool barShown_ = false;
    float shown_ = 0;  // the percentage the line shows: it only grows
    std::string file_; // the file being read; the notes name it
    std::string step_; // "2/5 " while a batch of several files is read
    std::vector<std::string> messages_;
    std::vector<std::string> leftOut_;
};

// The text as it is, and the text with a line break, on stdout or stderr.
void printText(std::FILE* stream, std::string_view text);
void printLine(std::FILE* stream, std::string_view text);
// An error: "kestrel-cli: " and the text, control characters escaped, on stderr, whatever --quiet
// says.
void printError(std::string_view text);

} // namespace kestrel

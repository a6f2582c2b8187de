#pragma once
// The window's port with its boxes replaced by a record: messages and questions are kept, and
// questions are answered from a queue (No when it is empty), so no modal box ever opens.
#include <deque>
#include <string>
#include <vector>

#include "app/ui/qt_ui_port.h"

namespace kestrel::test {

class RecordingPort : public QtUiPort {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    Answer ask(const std::string& text, Buttons) override {
        questions.push_back(text);
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<Answer> answers;
};

} // namespace kestrel::test

#pragma once
// The window's port with its boxes replaced by a record: messages and questions are kept, and
// questions are answered from a queue (No when it is empty), so no modal box ever opens.
#include "base/ui/qt_ui_port.h"
#include "support/fake_ui.h"

namespace kestrel::test {

class RecordingPort : public QtUiPort {
  public:
    void message(const std::string& text) override { record_.message(text); }
    void detailedMessage(const std::string& text, const std::string& more) override {
        record_.detailedMessage(text, more);
    }
    Answer ask(const std::string& text, Buttons buttons) override {
        return record_.ask(text, buttons);
    }

  private:
    FakeUi record_;

  public:
    std::vector<std::string>& messages = record_.messages;
    std::vector<std::string>& questions = record_.questions;
    std::deque<Answer>& answers = record_.answers;
};

} // namespace kestrel::test

#pragma once
// The tests' side of the core interface: records every message and question, answers questions
// from a queue, and can raise the stop flag after a number of yields, so that "Escape during a
// scan" is deterministic.
#include <deque>
#include <string>
#include <vector>

#include "base/uiport.h"

namespace kestrel::test {

class FakeUi : public UiPort {
  public:
    FakeUi() { setYieldStride(1); }

    void message(const std::string& text) override { messages.push_back(text); }
    // The text joins the messages, the details (empty or not) their own list.
    void detailedMessage(const std::string& text, const std::string& more) override {
        messages.push_back(text);
        details.push_back(more);
    }
    Answer ask(const std::string& text, Buttons) override {
        questions.push_back(text);
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void progress(float percent) override {
        pump();
        if (percent > 0) progressValues.push_back(percent);
    }
    void busy(bool on) override { busyOn = on; }

    // Raise the stop flag once this many more yields have happened (-1: never).
    void stopAfterYields(long n) { stopAfter_ = n; }

    std::vector<std::string> messages;
    std::vector<std::string> details;
    std::vector<std::string> questions;
    std::deque<Answer> answers;
    std::vector<float> progressValues;
    long yields = 0;
    bool busyOn = false;

  protected:
    void pump() override {
        ++yields;
        if (stopAfter_ >= 0 && --stopAfter_ < 0) setStopflag(true);
    }

  private:
    long stopAfter_ = -1;
};

} // namespace kestrel::test

#pragma once
// The port of a helper thread: the user interface is only ever called from its own thread, so a
// helper shows and asks nothing, and learns of the user's stop through a flag that the thread
// holding the real port sets.
#include <atomic>
#include <string>

#include "base/uiport.h"

namespace kestrel {

class StopPort final : public UiPort {
  public:
    explicit StopPort(const std::atomic<bool>& stop) : stop_(stop) { setYieldStride(1); }
    void message(const std::string&) override {}
    Answer ask(const std::string&, Buttons) override { return Answer::Cancel; }
    void progress(float) override {}
    void busy(bool) override {}

  protected:
    void pump() override { setStopflag(stop_); }

  private:
    const std::atomic<bool>& stop_;
};

} // namespace kestrel

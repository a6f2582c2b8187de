#pragma once
// The one interface through which the core talks to whoever runs it: the desktop program, the
// command line or a test. The core never opens a window itself.
#include <cstddef>
#include <string>

namespace kestrel {

enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

class UiPort {
  public:
    virtual ~UiPort() = default;

    // An information box with an OK button. Line breaks inside the text are CR LF.
    virtual void message(const std::string& text) = 0;
    // The same for a text that names files (UTF-8), with details the user may unfold and scroll
    // through (a list in full where the text shows part of it); empty details add nothing. A port
    // without such a place shows the details below the text.
    virtual void detailedMessage(const std::string& text, const std::string& details) {
        message(details.empty() ? text : text + "\r\n\r\n" + details);
    }
    // A question box; returns the button pressed.
    virtual Answer ask(const std::string& text, Buttons buttons) = 0;
    // `progr`: services the window system, then shows the percentage when it is above 0.
    virtual void progress(float percent) = 0;
    // `hon` / `hof`: the busy pointer.
    virtual void busy(bool on) = 0;
    // A job over several files is at the one named, `index` (from 0) of `count`: a progress line
    // may count them, and notes until busy(false) concern that file. Nothing unless overridden.
    virtual void nowReading(const std::string& /*name*/, std::size_t /*index*/,
                            std::size_t /*count*/) {}

    // Called by long loops between items. Cheap: only every `yieldStride` calls reach pump(), and
    // pump() itself decides whether enough time has passed to service the window system.
    void yield() {
        if (++ticks_ >= stride_) {
            ticks_ = 0;
            pump();
        }
    }
    // Services the window system now (the loops that yield a fixed number of times use this).
    void yieldNow() { pump(); }

    bool stopflag() const { return stop_; }
    void setStopflag(bool on) { stop_ = on; }

  protected:
    virtual void pump() = 0;
    void setYieldStride(unsigned stride) { stride_ = stride == 0 ? 1 : stride; }

  private:
    unsigned ticks_ = 0;
    unsigned stride_ = 64;
    bool stop_ = false;
};

} // namespace kestrel

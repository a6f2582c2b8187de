#pragma once
#include <string>
#include <string_view>

namespace kestrel {

// The error log: failing steps append a tag, a colon, the error text and CR LF. Not shown to the
// user; cleared at the start of each map read.
class ErrorLog {
  public:
    void append(std::string_view tag, std::string_view text) {
        text_.append(tag);
        text_.push_back(':');
        text_.append(text);
        text_.append("\r\n");
    }
    void clear() { text_.clear(); }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

} // namespace kestrel

#pragma once
// The desktop program's side of the core interface: message boxes, questions, the busy pointer
// and a yield that services the event loop at most every few milliseconds.
#include <QElapsedTimer>
#include <functional>
#include <string_view>

#include "base/uiport.h"

class QWidget;

namespace kestrel {

class QtUiPort : public UiPort {
  public:
    explicit QtUiPort(QWidget* parent = nullptr);

    void setParent(QWidget* parent) { parent_ = parent; }
    // Called with the percentage whenever the core reports progress above 0.
    void onProgress(std::function<void(float)> f) { progressSink_ = std::move(f); }

    void message(const std::string& text) override;
    void detailedMessage(const std::string& text, const std::string& details) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    void progress(float percent) override;
    void busy(bool on) override;

  protected:
    void pump() override;

  private:
    QWidget* parent_;
    QElapsedTimer sinceLastPump_;
    std::function<void(float)> progressSink_;
    int busyDepth_ = 0;
};

// 8-bit program text to the window's Unicode, and back (Latin-1: one character per byte).
QString toQt(std::string_view s);
std::string fromQt(const QString& s);
// File names are UTF-8 inside the program on every system (the platform makes the system's own
// form), so that every name the desktop hands over can be opened again.
QString toQtPath(const std::string& path);
std::string fromQtPath(const QString& path);

} // namespace kestrel

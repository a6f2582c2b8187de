#pragma once
// Ports on 127.0.0.1 made in the test process itself, for the update checks that need no page:
// one where connections are refused and one that takes connections and never answers. They work
// on every system (the page-serving server is a Python script, which a Windows test cannot start).

namespace kestrel::test {

// A port where nothing listens (connections are refused).
int refusingPort();

// Listens on an ephemeral port until destroyed; the system completes each connection and the
// request waits, unanswered.
class SilentListener {
  public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    int port() const { return port_; }

  private:
    long long socket_ = -1;
    int port_ = 0;
};

} // namespace kestrel::test

#include "mapread/split_search.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <thread>
#include <vector>

#include "base/platform/platform.h"

namespace kestrel {
namespace {

constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();
// The bytes a stretch is read with beyond its end: a signature starting in its last byte ends
// there.
constexpr std::size_t kTail = SignatureSearch::kLength - 1;

class Stretches {
  public:
    Stretches(const MapBuffer& buf, std::size_t stretch) : buf_(buf), stretch_(stretch) {}

    // Searches the stretches `first`, `first` + 2 ... into `block`; `between` runs after each.
    template <class Between>
    void search(std::size_t first, std::vector<std::uint8_t>& block, Between between) {
        const auto size = static_cast<std::size_t>(buf_.size());
        for (std::size_t at = first * stretch_; at < size && !stop_; at += 2 * stretch_) {
            if (pastAll(static_cast<std::int64_t>(at))) return;
            const std::size_t want = std::min(stretch_ + kTail, size - at);
            if (buf_.copyStored(static_cast<std::int64_t>(at), {block.data(), want}) != want) {
                cutShort_ = true;
                stop_ = true;
                return;
            }
            SignatureSearch search(buf_.key(), SignatureSearch::Lanes::Widest,
                                   static_cast<std::int64_t>(at));
            search.feed({block.data(), want});
            const Signatures& f = search.found();
            lower(0, f.rgn);
            lower(1, f.tre);
            lower(2, f.gmp);
            between();
        }
    }
    void stop() { stop_ = true; }
    bool cutShort() const { return cutShort_; }
    Signatures found() const {
        auto of = [this](int i) { return first_[i] == kNone ? -1 : first_[i].load(); };
        return {of(0), of(1), of(2)};
    }

  private:
    void lower(int i, std::int64_t at) {
        if (at < 0) return;
        std::int64_t seen = first_[i];
        while (at < seen && !first_[i].compare_exchange_weak(seen, at)) {
        }
    }
    // The first of each signature lies before `at`: no stretch from there on can change them.
    bool pastAll(std::int64_t at) const {
        return first_[0] < at && first_[1] < at && first_[2] < at;
    }

    const MapBuffer& buf_;
    const std::size_t stretch_;
    std::array<std::atomic<std::int64_t>, 3> first_{kNone, kNone, kNone};
    std::atomic<bool> stop_ = false;
    std::atomic<bool> cutShort_ = false;
};

} // namespace

std::optional<Signatures> findSignaturesSplit(const MapBuffer& buf, UiPort& ui,
                                              std::size_t stretch) {
    Stretches stretches(buf, stretch);
    std::vector<std::uint8_t> mine(stretch + kTail), theirs(stretch + kTail);
    // The user interface is only ever called from its own thread.
    std::thread other = platform::threadBeside([&] { stretches.search(1, theirs, [] {}); });
    stretches.search(0, mine, [&] {
        ui.yield();
        if (ui.stopflag()) stretches.stop();
    });
    other.join();
    if (stretches.cutShort()) return std::nullopt;
    return stretches.found();
}

} // namespace kestrel

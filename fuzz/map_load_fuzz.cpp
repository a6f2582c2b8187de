// Any bytes as one map file, read the whole way (container steps, TRE overviews, RGN scans,
// labelling, draw order): no crash, no read outside the bytes, no hang, and the inventory stays
// within its caps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/session.h"
#include "mapread/map_reader.h"
#include "mapread/style_texts.h"
#include "typtext/add_draworder.h"

namespace {

class QuietUi : public kestrel::UiPort {
  public:
    void message(const std::string&) override {}
    kestrel::Answer ask(const std::string&, kestrel::Buttons) override {
        return kestrel::Answer::No;
    }
    void progress(float) override {}
    void busy(bool) override {}

  protected:
    void pump() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrel::Session s;
    kestrel::a_n_p(s.styletxt);
    // The size picks the options, so that NT names and both check boxes are covered too.
    s.highways = size % 2 == 1;
    s.settings.draworder = size % 3 != 0;
    const std::string name = size % 5 == 0 ? "map.gmp" : "map.img";
    QuietUi ui;
    kestrel::MapReader reader(s, ui);
    reader.setBuffer(name, kestrel::MapBuffer::fromBytes(
                               std::string(reinterpret_cast<const char*>(data), size)));
    reader.get_dataTRE(0);
    kestrel::add_draworder(s);
    // 300 from the standard overview, plus at most 65535 from the extended overview and the
    // records an RGN section of these bytes can hold.
    if (s.inventory.list(kestrel::kPois).size() > 4001 + 65535) std::abort();
    return 0;
}

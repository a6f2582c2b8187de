// Any bytes as one map through the map picture, drawn small by day or by night, now and then in
// two bands on two threads: no crash, no write outside the picture (the sanitizers watch), no
// hang, and either a fault or a PNG.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "mapdraw/map_picture.h"
#include "support/fake_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrel::MapBuffer buf = kestrel::MapBuffer::view({data, size});
    if (size % 2 == 1) buf.setKey(buf.rawFirstByte());
    kestrel::test::FakeUi ui;
    const kestrel::mapdraw::PictureRequest request{static_cast<unsigned>(size % 3),
                                                   48,
                                                   size % 7 == 0 ? 130 : 40,
                                                   size % 4 == 0,
                                                   size % 5 == 0 ? kestrel::draw::Daytime::Night
                                                                 : kestrel::draw::Daytime::Day,
                                                   2};
    const kestrel::mapdraw::MapPictureResult r =
        kestrel::mapdraw::drawMap(buf, nullptr, request, ui);
    if (r.fault.has_value() == !r.png.empty()) std::abort();
    return 0;
}

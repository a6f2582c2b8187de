// Any bytes as one map file, read the whole way (container steps, TRE overviews, RGN scans or the
// complete scan, labelling, draw order): no crash, no read outside the bytes, no hang, and the
// inventory stays within its caps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "mapread/add_draworder.h"
#include "mapread/map_reader.h"
#include "mapread/style_texts.h"
#include "support/fake_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrel::MapState map;
    kestrel::ErrorLog errors;
    // The name texts are the same for every input: made once.
    static const kestrel::StyleTexts styletxt = [] {
        kestrel::StyleTexts t;
        kestrel::a_n_p(t);
        return t;
    }();
    // The size picks the options, so that NT names and the check boxes are covered too.
    kestrel::MapReadOptions options;
    options.highways = size % 2 == 1;
    options.complete = size % 7 < 3;
    const bool draworder = size % 3 != 0;
    const std::string name = size % 5 == 0 ? "map.gmp" : "map.img";
    kestrel::test::FakeUi ui;
    kestrel::MapReader reader({map, errors, styletxt, options, ui});
    // The input's own bytes, not a copy: libFuzzer keeps them alive and unchanged for the run.
    reader.setBuffer(name, kestrel::MapBuffer::view({data, size}));
    reader.get_dataTRE(0);
    if (draworder) kestrel::add_draworder(map.inventory);
    // The extended overview lists each of at most 65,536 codes once; the point scan stops adding
    // once the list passes 4,000.
    if (map.inventory.list(kestrel::kPois).size() > 4001 + 65535) std::abort();
    return 0;
}

#include "app/settings.h"

#include <algorithm>
#include <limits>

#include "base/text.h"

namespace kestrel {

int poiWidthOf(double number) {
    if (number < 1) return 0;
    const double most = std::numeric_limits<int>::max();
    return static_cast<int>(roundHalfEven(std::min(number, most)));
}

} // namespace kestrel

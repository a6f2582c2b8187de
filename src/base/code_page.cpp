#include "base/code_page.h"

#include <algorithm>

#include "base/text.h"

namespace kestrel {

std::string CodePage::name() const {
    const std::string t = trim(text_);
    return t.empty() ? std::string("1252") : t;
}

bool CodePage::offered() const {
    return std::find(kCodePages.begin(), kCodePages.end(), name()) != kCodePages.end();
}

std::uint16_t CodePage::number() const {
    const std::string t = trim(text_);
    if (t.empty() || t.size() > 5) return 0;
    std::uint32_t v = 0;
    for (const char c : t) {
        if (c < '0' || c > '9') return 0;
        v = v * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return v > 0xFFFF ? 0 : static_cast<std::uint16_t>(v);
}

} // namespace kestrel

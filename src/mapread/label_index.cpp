#include "mapread/label_index.h"

#include "base/text.h"

namespace kestrel {
namespace {

constexpr std::string_view kCodeStart = "0x";
constexpr std::size_t kShortestIndexed = 3; // "0x" and one digit
constexpr std::size_t kLongestIndexed = 7;  // "0x" and five digits

// The characters and the length in one number: up to seven bytes and a length byte.
std::uint64_t packed(std::string_view s) {
    std::uint64_t v = 0;
    for (const char c : s) v = v << 8 | static_cast<unsigned char>(c);
    return v << 8 | s.size();
}

bool indexed(std::string_view code) {
    return code.size() >= kShortestIndexed && code.size() <= kLongestIndexed &&
           startsWith(code, kCodeStart);
}

} // namespace

LabelIndex::LabelIndex(const std::string& table) : table_(table), lowered_(lcase(table)) {
    const std::string_view text = lowered_;
    for (auto p = text.find(kCodeStart); p != std::string_view::npos;
         p = text.find(kCodeStart, p + 1)) {
        const std::string_view longest = text.substr(p, kLongestIndexed);
        for (std::size_t len = kShortestIndexed; len <= longest.size(); ++len)
            firsts_.try_emplace(packed(longest.substr(0, len)), p); // an earlier one stays
    }
}

std::size_t LabelIndex::find(std::string_view code) const {
    if (!indexed(code)) return lowered_.find(code);
    const auto it = firsts_.find(packed(code));
    return it != firsts_.end() ? it->second : std::string::npos;
}

std::optional<std::string> LabelIndex::label(std::string_view code) const {
    if (code.empty()) return std::nullopt;
    const std::size_t at = find(code);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t end = table_.find("\r\n", at);
    const std::string_view line =
        std::string_view(table_).substr(at, end == std::string::npos ? end : end - at);
    std::size_t cut = line.find(' ');
    if (cut == std::string_view::npos) cut = line.find('\t');
    return cut == std::string_view::npos ? std::string() : std::string(line.substr(cut));
}

const LabelIndex& LabelTables::slot(int a) {
    auto& index = indexes_[static_cast<std::size_t>(a)];
    if (!index) index.emplace(texts_[static_cast<std::size_t>(a)]);
    return *index;
}

} // namespace kestrel

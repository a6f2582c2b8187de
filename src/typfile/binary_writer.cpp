#include "typfile/binary_writer.h"

#include <algorithm>
#include <map>

#include "base/code_page_text.h"
#include "typfile/typ_header.h"

namespace kestrel::typ {

namespace {

constexpr std::size_t kDrawOrderRecord = 5;

// Bytes of an offset into a section of this size: 1 up to 0xFF, 2 up to 0xFFFF, else 3 (4 from
// 16 MB on, which the size limit leaves out).
unsigned offsetBytes(std::size_t sectionSize) {
    return sectionSize <= 0xFF ? 1 : sectionSize <= 0xFFFF ? 2 : sectionSize <= 0xFFFFFF ? 3 : 4;
}

std::uint32_t u32(std::size_t v) {
    return static_cast<std::uint32_t>(v);
}

// The elements in code order; equal codes keep their order.
template <typename T> std::vector<const T*> byCode(const std::vector<T>& list) {
    std::vector<const T*> out;
    for (const T& e : list) out.push_back(&e);
    std::stable_sort(out.begin(), out.end(),
                     [](const T* a, const T* b) { return a->code.word() < b->code.word(); });
    return out;
}
// mkgmap sorts the icon labels with its collation of the code page; this is its order for
// letters and digits: case folded first, lower case before upper case on a tie.
bool labelBefore(const std::string& a, const std::string& b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    auto swap = [](char c) {
        return c >= 'A' && c <= 'Z'   ? static_cast<char>(c + 32)
               : c >= 'a' && c <= 'z' ? static_cast<char>(c - 32)
                                      : c;
    };
    auto less = [](auto f) {
        return [f](char x, char y) {
            return static_cast<unsigned char>(f(x)) < static_cast<unsigned char>(f(y));
        };
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less(fold)))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), less(fold)))
        return false;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less(swap));
}

class Writer {
  public:
    Writer(const TypFile& typ, const DateTime& created)
        : typ_(typ), created_(created), encoder_(typ.identity.codePage),
          headerLength_(typ.activeRoutes.empty() ? hdr::kMkgmapLength : hdr::kLongLength),
          file_(headerLength_) {}

    BinaryWrite write();

  private:
    // A section placed at the end of the file so far.
    struct Placed {
        std::size_t at = 0;
        std::size_t size = 0;
        std::size_t record = 0;
    };
    template <typename T, typename Encode>
    std::optional<WriteError> elements(const std::vector<T>& list, std::size_t dataField,
                                       std::size_t indexField, Encode encode);
    void drawOrder();
    void iconLabels();
    std::optional<WriteError> activeRouteRecords(std::size_t& lineDataSize);
    void activeRouteIndex();
    void header();

    Placed startSection() const { return {file_.size(), 0, 0}; }
    void endSection(Placed& s) const { s.size = file_.size() - s.at; }
    // The header's description of a section; an empty one is described as all zero, as mkgmap
    // does.
    void putData(std::size_t field, const Placed& s) {
        file_.put4u(field, s.size ? u32(s.at) : 0);
        file_.put4u(field + 4, u32(s.size));
    }
    void putIndex(std::size_t field, const Placed& s) {
        file_.put4u(field, s.size ? u32(s.at) : 0);
        file_.put2u(field + 4, static_cast<std::uint16_t>(s.size ? s.record : 0));
        file_.put4u(field + 6, u32(s.size));
    }

    const TypFile& typ_;
    DateTime created_;
    RecordEncoder encoder_;
    std::uint16_t headerLength_;
    ByteImage file_;
    std::vector<DroppedLabel> dropped_;
    // The active routes, their records' offsets, and the line section's size.
    std::vector<const ActiveRoute*> routes_;
    std::vector<std::uint32_t> routeOffsets_;
    std::size_t lineDataSize_ = 0;
};

template <typename T, typename Encode>
std::optional<WriteError> Writer::elements(const std::vector<T>& list, std::size_t dataField,
                                           std::size_t indexField, Encode encode) {
    const std::vector<const T*> sorted = byCode(list);
    Placed data = startSection();
    std::vector<std::size_t> offsets;
    for (const T* e : sorted) {
        offsets.push_back(file_.size() - data.at);
        if (auto error = encode(*e)) return error;
    }
    endSection(data);
    putData(dataField, data);
    // The active routes' records follow the lines' in the same section; the line index knows
    // only the lines.
    std::size_t dataSize = data.size;
    if (indexField == hdr::kLineIndex)
        if (auto error = activeRouteRecords(dataSize)) return error;
    Placed index = startSection();
    const bool icons = indexField == hdr::kIconIndex;
    const unsigned keyBytes = icons ? 3 : 2;
    const unsigned ptr = offsetBytes(dataSize);
    index.record = keyBytes + ptr;
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        file_.putNu(file_.size(), keyBytes, sorted[k]->code.word());
        file_.putNu(file_.size(), ptr, u32(offsets[k]));
    }
    endSection(index);
    putIndex(indexField, index);
    return std::nullopt;
}

std::optional<WriteError> Writer::activeRouteRecords(std::size_t& lineDataSize) {
    if (typ_.activeRoutes.empty()) return std::nullopt;
    const std::size_t dataAt = file_.size() - lineDataSize;
    // In the model's order: the numbered files restart the codes for each group.
    for (const ActiveRoute& r : typ_.activeRoutes) routes_.push_back(&r);
    for (const ActiveRoute* r : routes_) {
        routeOffsets_.push_back(u32(file_.size() - dataAt));
        if (auto error = encoder_.line(r->line, TypPart::ActiveRoutes, file_)) return error;
    }
    lineDataSize = file_.size() - dataAt;
    lineDataSize_ = lineDataSize;
    putData(hdr::kLineData, {dataAt, lineDataSize, 0});
    return std::nullopt;
}

// Entries of the code, the two group bytes and the record's offset in the line section.
void Writer::activeRouteIndex() {
    if (routes_.empty()) return;
    Placed index = startSection();
    const unsigned ptr = offsetBytes(lineDataSize_);
    index.record = 4 + ptr;
    for (std::size_t k = 0; k < routes_.size(); ++k) {
        file_.add2u(routes_[k]->line.code.word());
        file_.add1u(routes_[k]->groupA);
        file_.add1u(routes_[k]->groupB);
        file_.putNu(file_.size(), ptr, routeOffsets_[k]);
    }
    endSection(index);
    putIndex(hdr::kActiveRouteIndex, index);
}

void Writer::drawOrder() {
    Placed s = startSection();
    s.record = kDrawOrderRecord;
    const auto& levels = typ_.drawOrder.levels;
    for (std::size_t level = 0; level < levels.size(); ++level) {
        if (level > 0) file_.addBytes(std::string(kDrawOrderRecord, '\0'));
        for (const DrawOrderEntry& e : levels[level]) {
            file_.add1u(e.type);
            file_.put4u(file_.size(), e.extendedSubtypes);
        }
    }
    endSection(s);
    putIndex(hdr::kDrawOrder, s);
}

// The labels of the icon sets: an empty text, then the labels in collation order, each closed
// by a 0 byte; a string index (offset, then 3-byte code) in the order of the texts and a type index
// (3-byte code, then offset) in code order. With icon sets but no labels, only the empty text.
void Writer::iconLabels() {
    if (typ_.iconSets.empty()) return;
    struct Text {
        std::string bytes;
        std::uint32_t word;
    };
    std::vector<Text> texts;
    for (const IconSet* s : byCode(typ_.iconSets)) {
        if (!s->label) continue;
        if (auto bytes = fromUtf8(*s->label, typ_.identity.codePage))
            texts.push_back({std::move(*bytes), s->code.word()});
        else
            dropped_.push_back({TypPart::IconLabels, s->code, {0, *s->label}});
    }
    std::stable_sort(texts.begin(), texts.end(),
                     [](const Text& a, const Text& b) { return labelBefore(a.bytes, b.bytes); });
    Placed labels = startSection();
    file_.add1u(0);
    std::map<std::uint32_t, std::uint32_t> wordAt; // offset -> code
    std::map<std::uint32_t, std::uint32_t> atWord; // code -> offset (the last label of a code)
    for (const Text& t : texts) {
        const auto at = u32(file_.size() - labels.at);
        wordAt[at] = t.word;
        atWord[t.word] = at;
        file_.addBytes(t.bytes);
        file_.add1u(0);
    }
    endSection(labels);
    putData(hdr::kLabels, labels);

    const unsigned ptr = offsetBytes(labels.size);
    Placed strings = startSection();
    for (const auto& [at, word] : wordAt) {
        file_.putNu(file_.size(), ptr, at);
        file_.put3u(file_.size(), word);
    }
    endSection(strings);
    putData(hdr::kStringIndex, strings);
    file_.put4u(hdr::kStringIndexRecord, strings.size ? 3 + ptr : 0);

    Placed types = startSection();
    for (const auto& [word, at] : atWord) {
        file_.put3u(file_.size(), word);
        file_.putNu(file_.size(), ptr, at);
    }
    endSection(types);
    putData(hdr::kTypeIndex, types);
    file_.put4u(hdr::kTypeIndexRecord, types.size ? 3 + ptr : 0);
}

void Writer::header() {
    file_.put2u(hdr::kLength, headerLength_);
    file_.putBytes(hdr::kSignature, hdr::kSignatureText);
    file_.put1u(hdr::kOne, 1);
    hdr::putDate(file_, created_);
    file_.put2u(hdr::kCodePage, typ_.identity.codePage);
    file_.put2u(hdr::kFamilyId, typ_.identity.familyId);
    file_.put2u(hdr::kProductId, typ_.identity.productId);
    file_.put1u(hdr::kIconMark, hdr::kIconMarkValue);
    file_.put4u(hdr::kStringIndexMark, hdr::kIndexMarkValue);
    file_.put4u(hdr::kTypeIndexMark, hdr::kIndexMarkValue);
}

BinaryWrite Writer::write() {
    BinaryWrite out;
    auto polygon = [&](const Polygon& p) { return encoder_.polygon(p, file_); };
    auto line = [&](const Line& l) { return encoder_.line(l, TypPart::Lines, file_); };
    auto point = [&](const Point& p) { return encoder_.point(p, file_); };
    auto iconSet = [&](const IconSet& s) { return encoder_.iconSet(s, file_); };
    std::optional<WriteError> error =
        elements(typ_.polygons, hdr::kPolygonData, hdr::kPolygonIndex, polygon);
    if (!error) error = elements(typ_.lines, hdr::kLineData, hdr::kLineIndex, line);
    if (!error) error = elements(typ_.points, hdr::kPointData, hdr::kPointIndex, point);
    if (!error) drawOrder();
    if (!error) error = elements(typ_.iconSets, hdr::kIconData, hdr::kIconIndex, iconSet);
    if (!error) iconLabels();
    if (!error) activeRouteIndex();
    if (!error && file_.size() > kMaxFileSize)
        error = WriteError{WriteRefusal::FileTooLarge, TypPart::Header, std::nullopt, file_.size()};
    out.droppedLabels = encoder_.droppedLabels();
    out.droppedLabels.insert(out.droppedLabels.end(), dropped_.begin(), dropped_.end());
    if (error) {
        out.error = error;
        return out;
    }
    header();
    out.bytes = file_.release();
    return out;
}

} // namespace

BinaryWrite writeBinary(const TypFile& typ, const DateTime& created) {
    return Writer(typ, created).write();
}

} // namespace kestrel::typ

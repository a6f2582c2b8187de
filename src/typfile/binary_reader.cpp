#include "typfile/binary_reader.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "typfile/label_block.h"
#include "typfile/record_decoder.h"
#include "typfile/typ_header.h"

namespace kestrel::typ {

namespace {

// A section as the header describes it, cut to the file.
struct Section {
    std::uint64_t at = 0;
    std::uint64_t size = 0;
    std::uint32_t record = 0; // record size of an index
    std::uint64_t end() const { return at + size; }
};

// An index entry: the code, the record's offset in its data section, and where the entry is.
struct Entry {
    ElementCode code;
    std::uint64_t offset = 0;
    std::uint64_t place = 0;
    std::uint8_t groupA = 0; // active routes only
    std::uint8_t groupB = 0;
};

// How an index entry holds its code: the 16-bit word of points, lines and polygons, the 24-bit
// word of mkgmap's icon index, the u16 ID of the numbered icon files (read as a word), or the
// word and two group bytes of the active-route index.
enum class KeyForm : std::uint8_t { Word, Word24, ActiveRoute };

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : file_(bytes) {}

    BinaryRead read();

  private:
    // A damaged file may have a note for every entry; past kMaxNotes one more says so.
    void note(ReadProblem p, TypPart part, std::uint64_t at,
              std::optional<ElementCode> code = std::nullopt) {
        if (out_.notes.size() < kMaxNotes)
            out_.notes.push_back({p, part, static_cast<std::uint32_t>(at), code});
        else if (out_.notes.size() == kMaxNotes)
            out_.notes.push_back(
                {ReadProblem::MoreNotes, part, static_cast<std::uint32_t>(at), {}});
    }
    bool holds(std::size_t field, std::size_t size) const {
        return hdr::holds(out_.headerLength, field + size);
    }
    Section data(std::size_t field, TypPart part);
    Section index(std::size_t field, TypPart part);
    Section clipped(std::uint64_t at, std::uint64_t size, TypPart part);
    std::vector<Entry> entries(const Section& index, KeyForm form, TypPart part);
    // Each entry's record, from its offset up to the next record of `all` or the section end.
    template <typename T, typename Decode>
    std::vector<T> records(const Section& data, const std::vector<Entry>& entries,
                           const std::vector<Entry>& all, TypPart part, Decode decode);
    void drawOrder();
    void iconSets(RecordDecoder& decoder);
    void iconLabels(LabelReading& reading);

    static constexpr std::uint64_t kRepeatFactor = 4;
    static constexpr std::size_t kMaxNotes = 1000;

    ByteReader file_;
    BinaryRead out_;
    std::uint64_t repeated_ = 0; // bytes of records read more than once
};

Section Reader::clipped(std::uint64_t at, std::uint64_t size, TypPart part) {
    if (size == 0) return {};
    if (!file_.holds(at, size)) {
        note(ReadProblem::SectionOutsideFile, part, at);
        if (at > file_.size()) return {};
        size = file_.size() - at;
    }
    return {at, size, 0};
}

Section Reader::data(std::size_t field, TypPart part) {
    if (!holds(field, 8)) return {};
    return clipped(file_.u32(field), file_.u32(field + 4), part);
}

Section Reader::index(std::size_t field, TypPart part) {
    if (!holds(field, 10)) return {};
    Section s = clipped(file_.u32(field), file_.u32(field + 6), part);
    s.record = file_.u16(field + 4);
    return s;
}

std::vector<Entry> Reader::entries(const Section& index, KeyForm form, TypPart part) {
    std::vector<Entry> out;
    if (index.size == 0) return out;
    const std::uint32_t keyBytes = form == KeyForm::Word ? 2 : form == KeyForm::Word24 ? 3 : 4;
    if (index.record <= keyBytes) {
        note(ReadProblem::IndexRecordSize, part, index.at);
        return out;
    }
    const unsigned offsetBytes = std::min<unsigned>(index.record - keyBytes, 4);
    for (std::uint64_t e = index.at; e + index.record <= index.end(); e += index.record) {
        Entry entry;
        entry.place = e;
        entry.code = ElementCode::fromWord(static_cast<std::uint16_t>(file_.u16(e)));
        if (form == KeyForm::Word24) // a key above 16 bits names no type a file can hold
            entry.code.type =
                static_cast<std::uint16_t>(std::min<std::uint32_t>(file_.u24(e) >> 5, 0xFFFF));
        if (form == KeyForm::ActiveRoute) {
            entry.groupA = static_cast<std::uint8_t>(file_.u8(e + 2));
            entry.groupB = static_cast<std::uint8_t>(file_.u8(e + 3));
        }
        entry.offset = file_.uN(e + keyBytes, offsetBytes);
        out.push_back(entry);
    }
    return out;
}

template <typename T, typename Decode>
std::vector<T> Reader::records(const Section& data, const std::vector<Entry>& entries,
                               const std::vector<Entry>& all, TypPart part, Decode decode) {
    std::vector<std::uint64_t> starts;
    for (const Entry& e : all) starts.push_back(e.offset);
    std::sort(starts.begin(), starts.end());
    std::vector<T> out;
    std::unordered_set<std::uint64_t> done; // offsets decoded
    for (const Entry& e : entries) {
        if (e.offset >= data.size) {
            note(ReadProblem::EntryOutsideSection, part, e.place, e.code);
            continue;
        }
        const auto next = std::upper_bound(starts.begin(), starts.end(), e.offset);
        const std::uint64_t end = next == starts.end() ? data.size : std::min(*next, data.size);
        // A record read again for another entry costs memory the file does not pay for: up to
        // a few times the file's size.
        if (!done.insert(e.offset).second) {
            repeated_ += end - e.offset;
            if (repeated_ > kRepeatFactor * file_.size()) {
                note(ReadProblem::RepeatedRecords, part, e.place, e.code);
                continue;
            }
        }
        ByteCursor c(file_, data.at + e.offset, data.at + end);
        Decoded<T> d = decode(e, c);
        if (auto* problem = std::get_if<ReadProblem>(&d))
            note(*problem, part, data.at + e.offset, e.code);
        else
            out.push_back(std::move(std::get<T>(d)));
    }
    return out;
}

// Records of 5 bytes: the type byte and a 32-bit mask of extended subtypes; a record of type 0
// and mask 0 ends a level.
void Reader::drawOrder() {
    const Section s = index(hdr::kDrawOrder, TypPart::DrawOrder);
    if (s.size == 0) return;
    if (s.record < 5) {
        note(ReadProblem::DrawOrderRecordSize, TypPart::DrawOrder, s.at);
        return;
    }
    std::vector<std::vector<DrawOrderEntry>>& levels = out_.typ.drawOrder.levels;
    levels.emplace_back();
    for (std::uint64_t at = s.at; at + s.record <= s.end(); at += s.record) {
        const DrawOrderEntry entry{static_cast<std::uint8_t>(file_.u8(at)), file_.u32(at + 1)};
        if (entry.type == 0 && entry.extendedSubtypes == 0)
            levels.emplace_back();
        else
            levels.back().push_back(entry);
    }
    while (!levels.empty() && levels.back().empty()) levels.pop_back();
}

// The icon index of mkgmap holds a 3-byte key (type x 32 + subtype) and an offset; that of the
// numbered icon files a u16 ID and a u32 offset. Those files have the long header form, 6-byte
// records and no 0x13 at 0x65 (mkgmap's mark); mkgmap's index has 6-byte records from 64 KB of
// icons on.
void Reader::iconSets(RecordDecoder& decoder) {
    const Section index = this->index(hdr::kIconIndex, TypPart::IconSets);
    const Section data = this->data(hdr::kIconData, TypPart::IconSets);
    const bool idForm = index.record == 6 && out_.headerLength >= hdr::kLongLength &&
                        file_.u8(hdr::kIconMark) != hdr::kIconMarkValue;
    const std::vector<Entry> all =
        entries(index, idForm ? KeyForm::Word : KeyForm::Word24, TypPart::IconSets);
    out_.typ.iconSets =
        records<IconSet>(data, all, all, TypPart::IconSets,
                         [&](const Entry& e, ByteCursor& c) { return decoder.iconSet(e.code, c); });
}

// The labels of the icon sets: a section of 0-terminated texts (opening with an empty one), found
// through the type index (3-byte key, then the text's offset); of a code listed twice, the last.
// The texts a hostile file can make the sets share are held to a few times the file's size.
void Reader::iconLabels(LabelReading& reading) {
    if (out_.typ.iconSets.empty() || !holds(hdr::kTypeIndex, 8)) return;
    const Section labels = data(hdr::kLabels, TypPart::IconLabels);
    Section types = data(hdr::kTypeIndex, TypPart::IconLabels);
    types.record = file_.u32(hdr::kTypeIndexRecord);
    std::unordered_map<std::uint16_t, Entry> byCode;
    for (const Entry& e : entries(types, KeyForm::Word24, TypPart::IconLabels))
        byCode[e.code.word()] = e;
    std::vector<std::uint64_t> zeros; // where the texts end
    for (std::uint64_t at = labels.at; at < labels.end(); ++at)
        if (file_.u8(at) == 0) zeros.push_back(at);
    std::uint64_t budget = kRepeatFactor * file_.size();
    for (IconSet& s : out_.typ.iconSets) {
        const auto found = byCode.find(s.code.word());
        if (found == byCode.end()) continue;
        const Entry& e = found->second;
        const std::uint64_t at = labels.at + e.offset;
        const auto end = std::lower_bound(zeros.begin(), zeros.end(), at);
        if (e.offset >= labels.size || end == zeros.end() || *end - at > budget) {
            note(ReadProblem::LabelDamaged, TypPart::IconLabels, e.place, e.code);
            continue;
        }
        budget -= *end - at;
        s.label = labelText(file_.bytes(at, *end - at), out_.typ.identity.codePage, reading);
    }
}

BinaryRead Reader::read() {
    if (file_.size() < hdr::kShortLength) {
        out_.refusal = ReadRefusal::TooShort;
        return std::move(out_);
    }
    const std::optional<Identity> identity = hdr::readIdentity(file_.bytes(0, file_.size()));
    if (!identity) {
        out_.refusal = ReadRefusal::NotATypFile;
        return std::move(out_);
    }
    out_.headerLength = static_cast<std::uint16_t>(file_.u16(hdr::kLength));
    out_.created = hdr::readDate(file_);
    Identity& id = out_.typ.identity;
    id = *identity;
    RecordDecoder decoder(id.codePage);

    const Section polygonData = data(hdr::kPolygonData, TypPart::Polygons);
    const auto polygonEntries =
        entries(index(hdr::kPolygonIndex, TypPart::Polygons), KeyForm::Word, TypPart::Polygons);
    out_.typ.polygons =
        records<Polygon>(polygonData, polygonEntries, polygonEntries, TypPart::Polygons,
                         [&](const Entry& e, ByteCursor& c) { return decoder.polygon(e.code, c); });

    // Active-route records lie among the line records.
    const Section lineData = data(hdr::kLineData, TypPart::Lines);
    const auto lineEntries =
        entries(index(hdr::kLineIndex, TypPart::Lines), KeyForm::Word, TypPart::Lines);
    const auto routeEntries = entries(index(hdr::kActiveRouteIndex, TypPart::ActiveRoutes),
                                      KeyForm::ActiveRoute, TypPart::ActiveRoutes);
    std::vector<Entry> lineStarts = lineEntries;
    lineStarts.insert(lineStarts.end(), routeEntries.begin(), routeEntries.end());
    out_.typ.lines =
        records<Line>(lineData, lineEntries, lineStarts, TypPart::Lines,
                      [&](const Entry& e, ByteCursor& c) { return decoder.line(e.code, c); });
    out_.typ.activeRoutes = records<ActiveRoute>(
        lineData, routeEntries, lineStarts, TypPart::ActiveRoutes,
        [&](const Entry& e, ByteCursor& c) -> Decoded<ActiveRoute> {
            Decoded<Line> l = decoder.line(e.code, c);
            if (auto* problem = std::get_if<ReadProblem>(&l)) return *problem;
            return ActiveRoute{std::move(std::get<Line>(l)), e.groupA, e.groupB};
        });

    const Section pointData = data(hdr::kPointData, TypPart::Points);
    const auto pointEntries =
        entries(index(hdr::kPointIndex, TypPart::Points), KeyForm::Word, TypPart::Points);
    out_.typ.points =
        records<Point>(pointData, pointEntries, pointEntries, TypPart::Points,
                       [&](const Entry& e, ByteCursor& c) { return decoder.point(e.code, c); });
    drawOrder();
    iconSets(decoder);
    LabelReading iconLabelReading;
    iconLabels(iconLabelReading);
    // Labels that do not read exactly in the code page: one note for the file.
    if (decoder.inexactLabels() || iconLabelReading.inexact)
        note(ReadProblem::LabelBytesInexact, TypPart::Header, hdr::kCodePage);
    return std::move(out_);
}

} // namespace

BinaryRead readBinary(std::span<const std::uint8_t> bytes) {
    return Reader(bytes).read();
}

BinaryRead readBinary(std::string_view bytes) {
    return readBinary(byteSpan(bytes));
}

} // namespace kestrel::typ

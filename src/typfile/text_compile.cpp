#include "typfile/text_compile.h"

#include <algorithm>

#include "base/code_page_text.h"
#include "typfile/binary_writer.h"
#include "typfile/text_reader.h"

namespace kestrel::typ {

namespace {

// mkgmap gathers an element's labels in a buffer of 256 bytes for each label (language byte,
// text and 0 byte); labels that take more make it fail. Labels the code page cannot hold take
// no room (they are left out).
constexpr std::size_t kLabelRoom = 256;

// The line of a label of the part and code; 0 when none is known.
std::uint32_t lineOf(const std::vector<LabelLine>& lines, TypPart part, ElementCode code,
                     const Label& label) {
    const auto it = std::find_if(lines.begin(), lines.end(), [&](const LabelLine& l) {
        return l.part == part && l.code == code && l.label == label;
    });
    return it == lines.end() ? 0 : it->line;
}

template <typename T>
std::optional<TextError> labelRoom(const std::vector<T>& elements, TypPart part,
                                   std::uint16_t codePage, const std::vector<LabelLine>& lines) {
    for (const T& e : elements) {
        const std::vector<Label>& labels = e.labelling.labels;
        std::size_t used = 0;
        for (const Label& l : labels)
            if (const auto bytes = fromUtf8(l.text, codePage)) used += bytes->size() + 2;
        if (used > kLabelRoom * labels.size())
            return TextError{lineOf(lines, part, e.code, labels.back()),
                             TextProblem::LabelsTooLong,
                             std::to_string(used),
                             {}};
    }
    return std::nullopt;
}

std::optional<TextError> checkLabels(const TextRead& r) {
    const std::uint16_t cp = r.typ.identity.codePage;
    if (auto e = labelRoom(r.typ.polygons, TypPart::Polygons, cp, r.labelLines)) return e;
    if (auto e = labelRoom(r.typ.lines, TypPart::Lines, cp, r.labelLines)) return e;
    return labelRoom(r.typ.points, TypPart::Points, cp, r.labelLines);
}

} // namespace

CompiledText compileText(std::string_view text, const IdentityOverride& ids,
                         const DateTime& created) {
    TextRead r = readText(text);
    CompiledText out;
    out.notes = std::move(r.notes);
    if (r.error) {
        out.error = std::move(r.error);
        return out;
    }
    Identity& id = r.typ.identity;
    if (!r.codePageGiven && !ids.codePage) {
        id.codePage = kDefaultCodePage;
        out.notes.push_back(
            {0, TextWarning::CodePageAssumed, std::to_string(kDefaultCodePage), {}});
    }
    if (ids.familyId) id.familyId = *ids.familyId;
    if (ids.productId) id.productId = *ids.productId;
    if (ids.codePage) id.codePage = *ids.codePage;
    if (auto e = checkLabels(r)) {
        out.error = std::move(e);
        return out;
    }
    BinaryWrite w = writeBinary(r.typ, created);
    if (w.error) {
        // The reader leaves the writer only these two refusals: the file's size, and labels
        // beyond the longest block (0x3FFF bytes).
        const bool tooLarge = w.error->refusal == WriteRefusal::FileTooLarge;
        out.error = TextError{0,
                              tooLarge ? TextProblem::FileTooLarge : TextProblem::LabelsTooLong,
                              std::to_string(w.error->size),
                              {}};
        return out;
    }
    for (const DroppedLabel& d : w.droppedLabels)
        out.notes.push_back({lineOf(r.labelLines, d.part, d.code, d.label),
                             TextWarning::LabelDropped,
                             d.label.text,
                             {}});
    std::stable_sort(out.notes.begin(), out.notes.end(),
                     [](const TextNote& a, const TextNote& b) { return a.line < b.line; });
    out.bytes = std::move(w.bytes);
    out.typ = std::move(r.typ);
    return out;
}

} // namespace kestrel::typ

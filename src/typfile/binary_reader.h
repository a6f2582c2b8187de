#pragma once
// Reads any binary TYP into the model: mkgmap's files, kestrel's numbered files, and the files of
// other tools (other record and offset sizes, types listed twice, spare bytes between records).
// Every record is placed by its index entry and decoded on its own, within the bytes up to the next
// record; nothing outside the file is ever read. What cannot be read becomes a note naming its
// offset, and the rest is still read.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "typfile/elements.h"
#include "typfile/typ_clock.h"
#include "typfile/typ_file.h"
#include "typfile/typ_part.h"

namespace kestrel::typ {

enum class ReadProblem : std::uint8_t {
    SectionOutsideFile,  // a section reaches past the end of the file: read up to the end
    IndexRecordSize,     // an index whose record size holds no code and offset: not read
    EntryOutsideSection, // an index entry points outside its data section
    RecordDamaged,       // a record runs past its end (the next record or the section end)
    UnknownColourMode,   // an image in a colour mode other than 0x00, 0x10, 0x20
    LabelDamaged,        // a label block without its closing 0 byte: the labels read so far kept
    LabelBytesInexact,   // labels hold bytes the code page does not define, or the code page has
                         // no table: such bytes read as Latin-1 (U+FFFD in UTF-8)
    DrawOrderRecordSize, // draw-order records shorter than 5 bytes: not read
    RepeatedRecords,     // entries pointing at records read before, beyond a few times the
                         // file's size in all: not read
    MoreNotes,           // after 1000 notes: the file has more damage, not noted one by one
};

struct ReadNote {
    ReadProblem problem = ReadProblem::RecordDamaged;
    TypPart part = TypPart::Header;
    std::uint32_t offset = 0;        // byte of the file
    std::optional<ElementCode> code; // the element, when the note is about one
    bool operator==(const ReadNote&) const = default;
};

enum class ReadRefusal : std::uint8_t {
    TooShort,    // shorter than the shortest header
    NotATypFile, // no "GARMIN TYP" at byte 2
};

struct BinaryRead {
    std::optional<ReadRefusal> refusal; // set: not a TYP file, and nothing below is filled
    TypFile typ;
    DateTime created; // the header's date and time
    std::uint16_t headerLength = 0;
    std::vector<ReadNote> notes;
};

BinaryRead readBinary(std::span<const std::uint8_t> bytes);
BinaryRead readBinary(std::string_view bytes);

} // namespace kestrel::typ

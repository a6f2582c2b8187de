#include "legend/legend_texts.h"

#include "base/paths.h"
#include "base/text.h"
#include "legend/row_text.h"
#include "legend/sheet_words.h"
#include "typfile/text_messages.h"

namespace kestrel::legend {
namespace {

std::string_view pictureFaultText(draw::PictureFault f) {
    using draw::PictureFault;
    switch (f) {
    case PictureFault::PatternShape:
        return "a pattern not 32 pixels wide or of the wrong number of rows";
    case PictureFault::EmptyImage:
        return "an icon of no pixels";
    case PictureFault::ImageShape:
        return "an icon whose pixels do not fill its width and height";
    case PictureFault::PaletteSize:
        return "an icon of more than 255 colours";
    case PictureFault::PaletteIndex:
        return "an icon whose pixels name colours it does not have";
    case PictureFault::NightImageSize:
        return "a night icon not of the day icon's size";
    }
    return "";
}

} // namespace

std::string legendTitle(std::string_view inputPath, const LegendInput& input,
                        std::optional<std::string_view> mapPath) {
    std::string title =
        concat({words::kTitle, input.kind == InputKind::Map
                                   ? concat({input.typName, " in ", fileName(inputPath)})
                                   : fileName(inputPath)});
    if (mapPath) title += concat({words::kBeside, fileName(*mapPath)});
    return title;
}

std::string inputFaultText(const InputFault& f) {
    switch (f.problem) {
    case InputProblem::Unreadable:
        return f.unreadable ? describe(*f.unreadable) : std::string("cannot be read");
    case InputProblem::TooLarge:
        return "larger than any TYP file or text";
    case InputProblem::ReadFailed:
        return "cannot be read";
    case InputProblem::TextRefused:
        return f.textError ? concat({"line ", std::to_string(f.textError->line), ": ",
                                     typ::problemText(*f.textError)})
                           : std::string("not a TYP text");
    case InputProblem::MapWithoutTyp:
        return "no TYP file inside";
    }
    return "";
}

std::string sheetFaultText(const SheetFault& f) {
    return concat({words::kKindNames[static_cast<int>(f.kind)], " ", codeText(f.code), ": ",
                   pictureFaultText(f.fault), "; nothing drawn"});
}

std::string tooLargeText(const TooLargeForPicture& size) {
    return concat({"the legend would be ", std::to_string(size.width), " x ",
                   std::to_string(size.height),
                   " pixels, more than a PNG holds; write .svg or .html instead"});
}

} // namespace kestrel::legend

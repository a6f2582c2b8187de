#include "typtext/typ_text_document.h"

#include "base/text.h"

namespace kestrel {

void TypTextDocument::quoted(std::string_view s) {
    text_.push_back('"');
    text_.append(s);
    text_.append("\"\r\n");
}

void TypTextDocument::xpm(std::string_view header) {
    text_.append("Xpm=\"");
    text_.append(header);
    text_.append("\"\r\n");
}

void TypTextDocument::colour(char pixel, std::string_view rrggbb) {
    text_.push_back('"');
    text_.push_back(pixel);
    text_.append(" c #");
    text_.append(rrggbb);
    text_.append("\"\r\n");
}

void TypTextDocument::transparent(char pixel) {
    text_.push_back('"');
    text_.push_back(pixel);
    text_.append(" c none\"\r\n");
}

void TypTextDocument::raw(std::string_view s) {
    text_.append(s);
}

void TypTextDocument::endChunk() {
    text_.append(kCrLf);
}

} // namespace kestrel

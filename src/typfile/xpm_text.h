#pragma once
// The pictures of a TYP source text, as mkgmap reads them: a header line KEY="W H C P" (width,
// height, colour lines, characters per pixel), C colour lines "TAG c #RRGGBB", then H quoted rows.
//
// - Plain colours: "0 0 C 0" and one line per colour, `none` for a missing one.
// - Patterns: "32 R C 1", the foreground first, then the background (`none`: transparent); with
//   night colours C is 4 and the night pair follows. A foreground pixel is '#', a background
//   one '.'.
// - Images: every palette colour in its order, the transparent index of OneTransparent mode as a
//   last `none` colour; a colour with transparency carries mkgmap's `alpha=N` (0 opaque to 15
//   transparent) after the quotes. mkgmap picks the colour mode from these colours: any partly
//   transparent colour or all transparent: Alpha; one `none`: OneTransparent; else Opaque.
//   True colour is "W H 0 0" with rows of #RRGGBB, #RRGGBBAA where a pixel is transparent
//   (AA 00 transparent to FF opaque); mkgmap picks Alpha when a pixel is partly transparent,
//   OneTransparent when one is fully transparent.
#include <optional>
#include <span>
#include <string_view>

#include "typfile/elements.h"
#include "typfile/text_sink.h"

namespace kestrel::typ {

void writePlainColours(TextSink& out, std::span<const std::optional<Rgb>> colours);
// `rows`: the rows the text's pattern has (32 for a polygon, 1 to 31 for a line).
void writePattern(TextSink& out, const ColourPair& day, const std::optional<ColourPair>& night,
                  const Pattern& pattern, std::uint8_t rows);
void writeImage(TextSink& out, std::string_view key, const Image& image);

} // namespace kestrel::typ

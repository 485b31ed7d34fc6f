// The instrument's small display font: 5 x 7 pixel glyphs, one byte per column with the top
// pixel in the lowest bit, which is also how the display memory holds a column of a page.
#pragma once

#include <array>
#include <cstdint>

namespace porvel::sim {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

using Glyph = std::array<std::uint8_t, kGlyphWidth>;

// Digits, Latin letters (small ones drawn as capitals), blank and . , : = / - % ( ); any other
// character draws as a box.
const Glyph& GlyphFor(char ch);

}  // namespace porvel::sim

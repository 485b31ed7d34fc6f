// Drawing on the instrument's 98 x 64 monochrome display memory (8 pages of 98 column bytes,
// bit n of a byte being pixel row 8 x page + n) with its small font.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "wire/frames.h"

namespace porvel::sim {

constexpr int kDisplayWidth = 98;
constexpr int kDisplayHeight = 64;
constexpr int kPageRows = 8;
static_assert(kDisplayWidth * kDisplayHeight / kPageRows == protocol::kScreenSize);

class ScreenCanvas {
public:
    // Pixels outside the display are ignored.
    void Set(int x, int y, bool ink);
    bool Get(int x, int y) const;
    void Invert(int x, int y, int width, int height);
    void HorizontalLine(int x, int y, int width);
    void Frame(int x, int y, int width, int height);
    // Text from its top left corner; returns the x after the last glyph.
    int Text(int x, int y, const std::string& text);

    const ScreenBlock& Block() const { return block_; }

private:
    ScreenBlock block_{};
};

// The instrument's small display font: 5 x 7 pixel glyphs, one byte per column with the top
// pixel in the lowest bit, which is also how the display memory holds a column of a page.

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

using Glyph = std::array<std::uint8_t, kGlyphWidth>;

// Digits, Latin letters (small ones drawn as capitals), blank and . , : = / - % ( ); any other
// character draws as a box.
const Glyph& GlyphFor(char ch);

}  // namespace porvel::sim

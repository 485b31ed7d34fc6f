#include "screen_canvas.h"

#include "screen_font.h"

namespace porvel::sim {
namespace {

bool Inside(int x, int y) {
    return x >= 0 && x < kDisplayWidth && y >= 0 && y < kDisplayHeight;
}

std::size_t ByteOf(int x, int y) {
    return static_cast<std::size_t>((y / kPageRows) * kDisplayWidth + x);
}

std::uint8_t BitOf(int y) {
    return static_cast<std::uint8_t>(1u << (y % kPageRows));
}

}  // namespace

void ScreenCanvas::Set(int x, int y, bool ink) {
    if (!Inside(x, y)) return;
    if (ink)
        block_[ByteOf(x, y)] |= BitOf(y);
    else
        block_[ByteOf(x, y)] &= static_cast<std::uint8_t>(~BitOf(y));
}

bool ScreenCanvas::Get(int x, int y) const {
    return Inside(x, y) && (block_[ByteOf(x, y)] & BitOf(y)) != 0;
}

void ScreenCanvas::Invert(int x, int y, int width, int height) {
    for (int row = y; row < y + height; ++row)
        for (int col = x; col < x + width; ++col) Set(col, row, !Get(col, row));
}

void ScreenCanvas::HorizontalLine(int x, int y, int width) {
    for (int col = x; col < x + width; ++col) Set(col, y, true);
}

void ScreenCanvas::Frame(int x, int y, int width, int height) {
    HorizontalLine(x, y, width);
    HorizontalLine(x, y + height - 1, width);
    for (int row = y; row < y + height; ++row) {
        Set(x, row, true);
        Set(x + width - 1, row, true);
    }
}

int ScreenCanvas::Text(int x, int y, const std::string& text) {
    for (char ch : text) {
        const Glyph& glyph = GlyphFor(ch);
        for (int col = 0; col < kGlyphWidth; ++col)
            for (int row = 0; row < kGlyphHeight; ++row)
                if (glyph[static_cast<std::size_t>(col)] & (1u << row)) Set(x + col, y + row, true);
        x += kGlyphAdvance;
    }
    return x;
}

}  // namespace porvel::sim

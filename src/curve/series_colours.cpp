#include "series_colours.h"

#include <array>

namespace porvel {
namespace {

// Strong colours that stay readable as thin lines on the white chart.
constexpr std::array<QRgb, 14> kPalette = {
    0xFF0000, 0x008000, 0x0000FF, 0xFF00FF, 0x008080, 0x808000, 0x800000,
    0x000080, 0x800080, 0xFF8000, 0x00A0A0, 0x606060, 0x00C000, 0x000000,
};

}  // namespace

QColor SeriesColour(int seriesIndex) {
    const int size = static_cast<int>(kPalette.size());
    const int slot = ((seriesIndex - 1) % size + size) % size;
    return QColor(kPalette[static_cast<std::size_t>(slot)]);
}

}  // namespace porvel

// The windows are laid out in design pixels of a 120 dpi screen; Qt places widgets in logical
// pixels of 96 per inch, and scales those to the screen itself.
#pragma once

#include <cmath>

namespace porvel {

constexpr double kDesignDpi = 120.0;
constexpr double kLogicalDpi = 96.0;

inline int Design(int designPixels) {
    return static_cast<int>(std::lround(designPixels * kLogicalDpi / kDesignDpi));
}

}  // namespace porvel

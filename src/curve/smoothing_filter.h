// The pressure curve's smoothing: a moving mean over the last seven values that an exact zero
// restarts, so every curve begins unsmoothed and a dropout of the sensor starts it again.
#pragma once

#include <array>

namespace porvel {

class SmoothingFilter {
public:
    static constexpr int kWindow = 7;

    // Feeds one pressure and returns the mean of the newest non-zero run, at most seven long.
    // An input of exactly 0.0 empties the window and returns 0.0.
    double Feed(double value);
    void Reset() { Feed(0.0); }

private:
    std::array<double, kWindow> window_{};  // the newest last; 0.0 marks an empty place
};

}  // namespace porvel

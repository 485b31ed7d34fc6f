// Table W: the ranges of the air-permeability parameter a (cm3/s) and of the air-penetration
// resistance mc (s/cm3) of concrete that make each water-tightness grade, W2 to W20, as the
// method's documents print them; and the grade a value of mc falls in.
#pragma once

#include <array>

namespace porvel {

struct GradeRange {
    const char* aRange;  // as printed, the same in both languages
    const char* mRange;
    const char* grade;
    double mLow;  // the printed mc range, one decimal
    double mHigh;
};

inline constexpr std::array<GradeRange, 10> kGradeRanges = {{
    {"0,325 - 0,224", "3,1 - 4,5", "W2", 3.1, 4.5},
    {"0,223 - 0,154", "4,6 - 6,5", "W4", 4.6, 6.5},
    {"0,153 - 0,106", "6,6 - 9,4", "W6", 6.6, 9.4},
    {"0,105 - 0,0728", "9,5 - 13,7", "W8", 9.5, 13.7},
    {"0,0727 - 0,0510", "13,8 - 19,6", "W10", 13.8, 19.6},
    {"0,0509 - 0,0345", "19,7 - 29,0", "W12", 19.7, 29.0},
    {"0,0344 - 0,0238", "29,1 - 42,0", "W14", 29.1, 42.0},
    {"0,0237 - 0,0164", "42,1 - 60,9", "W16", 42.1, 60.9},
    {"0,0163 - 0,0113", "61,0 - 88,5", "W18", 61.0, 88.5},
    {"0,0112 - 0,0077", "88,6 - 130,2", "W20", 88.6, 130.2},
}};

// Where mc falls once rounded to the table's one decimal: below the first range, in one of
// them (`index` into kGradeRanges), or above the last.
struct GradePlace {
    enum Where { Below, Within, Above } where;
    int index = -1;
};
GradePlace GradeOfM(double m);

}  // namespace porvel

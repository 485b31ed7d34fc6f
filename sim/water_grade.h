// The water-tightness grade W that goes with an air-penetration resistance m, by the ranges of
// the grade table the instrument prints on its result page.
#pragma once

#include <cstdint>

namespace porvel::sim {

// Grade number (2, 4, ... 20) for m in s/cm3, judged on m rounded to one decimal as the table
// gives its bounds; 0 (no grade) below the first range. Above the last range the grade stays 20.
std::uint16_t GradeForM(double m);

// The m range of a grade, for drawing demo values inside it; false for a number with no range.
bool RangeOfGrade(std::uint16_t grade, double* lowest, double* highest);

}  // namespace porvel::sim

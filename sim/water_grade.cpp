#include "water_grade.h"

#include <array>
#include <cmath>

namespace porvel::sim {
namespace {

struct GradeRange {
    double lowestM;
    double highestM;
    std::uint16_t grade;
};

constexpr std::array<GradeRange, 10> kRanges = {{
    {3.1, 4.5, 2},
    {4.6, 6.5, 4},
    {6.6, 9.4, 6},
    {9.5, 13.7, 8},
    {13.8, 19.6, 10},
    {19.7, 29.0, 12},
    {29.1, 42.0, 14},
    {42.1, 60.9, 16},
    {61.0, 88.5, 18},
    {88.6, 130.2, 20},
}};

constexpr double kTenths = 10.0;
// Half a step of the table's last decimal, so that 4.6 read back from a float still counts as 4.6.
constexpr double kBoundTolerance = 0.05 / kTenths;

}  // namespace

std::uint16_t GradeForM(double m) {
    const double rounded = std::round(m * kTenths) / kTenths;
    std::uint16_t grade = 0;
    for (const GradeRange& range : kRanges)
        if (rounded + kBoundTolerance >= range.lowestM) grade = range.grade;
    return grade;
}

bool RangeOfGrade(std::uint16_t grade, double* lowest, double* highest) {
    for (const GradeRange& range : kRanges) {
        if (range.grade != grade) continue;
        *lowest = range.lowestM;
        *highest = range.highestM;
        return true;
    }
    return false;
}

}  // namespace porvel::sim

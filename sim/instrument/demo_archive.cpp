#include "demo_archive.h"

#include <array>
#include <cstdio>
#include <string>

#include "command_log.h"
#include "measurement.h"
#include "pressure_curve.h"
#include "screen_canvas.h"
#include "sim_constants.h"
#include "wire/byte_order.h"

namespace porvel::sim {
namespace {

using namespace protocol;

constexpr std::uint32_t kDemoSeed = 20260317;
constexpr char kDemoVersion[] = "PORVEL-2 v3.05 12.2025 SN 1187";
constexpr std::uint16_t kFirstNumber = 141;
constexpr int kDemoYear = 2026;

// One working day on site: which objects were tested and which grades the concrete reached.
struct SiteDay {
    int month;
    int day;
    int startHour;
    int startMinute;
    int measurements;
    std::array<std::uint16_t, 3> objects;
    std::uint16_t lowestGrade;
    std::uint16_t highestGrade;
    double atmosphereKPa;  // the weather of the day
};

constexpr std::array<SiteDay, 6> kSiteDays = {{
    {3, 10, 9, 12, 6, {0, 16, 0}, 4, 8, 99.6},
    {3, 11, 8, 47, 7, {2, 3, 2}, 6, 10, 100.4},
    {3, 12, 10, 5, 5, {9, 9, 9}, 12, 20, 101.1},
    {3, 16, 9, 30, 8, {6, 12, 15}, 8, 14, 99.2},
    {3, 17, 11, 2, 6, {11, 11, 13}, 12, 18, 99.3},
    {3, 18, 13, 40, 4, {13, 13, 1}, 8, 12, 100.0},
}};

constexpr int CountMeasurements() {
    int count = 0;
    for (const SiteDay& day : kSiteDays) count += day.measurements;
    return count;
}
constexpr int kDemoMeasurements = CountMeasurements();
static_assert(kDemoMeasurements == 36);

// Two deliberate oddities of real field data: a porous spot with no grade, and a test where the
// operator did not enter h.
constexpr int kUngradedIndex = 3;
constexpr float kUngradedM = 2.4f;
constexpr int kNoHIndex = 17;

constexpr int kFewestMinutesApart = 12;
constexpr int kMostMinutesApart = 47;
constexpr double kLowestVacuumKPa = 30.0;
constexpr double kVacuumSpanKPa = 10.0;
constexpr double kAtmosphereJitterKPa = 0.3;
constexpr double kLowestH = 0.6;
constexpr double kHSpan = 1.8;
constexpr int kGradeStep = 2;
constexpr int kMinutesPerHour = 60;
constexpr int kSecondsPerMinute = 60;
constexpr double kSlowCurveM = 20.0;
constexpr double kVerySlowCurveM = 60.0;
constexpr std::uint16_t kFastRate = 4;
constexpr std::uint16_t kSlowRate = 2;
constexpr std::uint16_t kVerySlowRate = 1;

std::uint16_t RateForM(double m) {
    if (m >= kVerySlowCurveM) return kVerySlowRate;
    if (m >= kSlowCurveM) return kSlowRate;
    return kFastRate;
}

float DrawM(NoiseSource& noise, std::uint16_t lowestGrade, std::uint16_t highestGrade) {
    const int steps = (highestGrade - lowestGrade) / kGradeStep;
    const auto grade =
        static_cast<std::uint16_t>(lowestGrade + kGradeStep * noise.Between(0, steps));
    double lowest = 0;
    double highest = 0;
    RangeOfGrade(grade, &lowest, &highest);
    // Keep a tenth away from the bounds, where the device's own rounding decides.
    constexpr double kInset = 0.1;
    return static_cast<float>(lowest + kInset + noise.Uniform() * (highest - lowest - 2 * kInset));
}

MeasurementFields DemoMeasurement(NoiseSource& noise, const SiteDay& day, int index, int indexInDay,
                                  int minuteOfDay, const ObjectDefs& objects) {
    MeasurementFields fields;
    fields.number = static_cast<std::uint16_t>(kFirstNumber + index);
    fields.year = kDemoYear;
    fields.month = day.month;
    fields.day = day.day;
    fields.hour = minuteOfDay / kMinutesPerHour;
    fields.minute = minuteOfDay % kMinutesPerHour;
    fields.second = noise.Between(0, kSecondsPerMinute - 1);
    fields.object = day.objects[static_cast<std::size_t>(indexInDay) % day.objects.size()];
    fields.material = objects[fields.object].material;
    fields.m =
        index == kUngradedIndex ? kUngradedM : DrawM(noise, day.lowestGrade, day.highestGrade);
    fields.grade = GradeForM(fields.m);
    fields.h = index == kNoHIndex ? 0.0f : static_cast<float>(kLowestH + noise.Uniform() * kHSpan);
    const double atmosphere = day.atmosphereKPa + kAtmosphereJitterKPa * (noise.Uniform() - 0.5);
    fields.atmosphere = static_cast<std::uint16_t>(CountsFromKPa(atmosphere) + 0.5);
    fields.rate = RateForM(fields.m);
    const double vacuum = kLowestVacuumKPa + kVacuumSpanKPa * noise.Uniform();
    const std::size_t samples =
        SamplesUntilRecovered(fields.m, fields.rate, KPaFromCounts(fields.atmosphere), vacuum);
    fields.samples = MeasurementCurve(fields.m, fields.rate, fields.atmosphere, vacuum, samples,
                                      kDemoSeed + static_cast<std::uint32_t>(index));
    return fields;
}

void DrawBattery(ScreenCanvas& canvas, int x, int y) {
    constexpr int kWidth = 11;
    constexpr int kHeight = 6;
    constexpr int kCharged = 6;
    canvas.Frame(x, y, kWidth, kHeight);
    canvas.Set(x + kWidth, y + 2, true);
    canvas.Set(x + kWidth, y + 3, true);
    canvas.HorizontalLine(x + 2, y + 2, kCharged);
    canvas.HorizontalLine(x + 2, y + 3, kCharged);
}

}  // namespace

MaterialDefs DemoMaterials() {
    return {{
        {QStringLiteral("Бетон В15"), QStringLiteral("Concrete B15"), 2.10e-3f, 312.0f},
        {QStringLiteral("Бетон В20"), QStringLiteral("Concrete B20"), 1.85e-3f, 286.0f},
        {QStringLiteral("Бетон В25"), QStringLiteral("Concrete B25"), 1.62e-3f, 264.0f},
        {QStringLiteral("Бетон В30"), QStringLiteral("Concrete B30"), 1.48e-3f, 250.0f},
        {QStringLiteral("Бетон В40"), QStringLiteral("Concrete B40"), 1.21e-3f, 228.0f},
        {QStringLiteral("Пенобетон"), QStringLiteral("Concr.Foam"), 3.40e-3f, 410.0f},
        {QStringLiteral("Газобетон"), QStringLiteral("Concr.Air"), 3.05e-3f, 395.0f},
        {QStringLiteral("Керамзитобет."), QStringLiteral("Expanded clay"), 2.64e-3f, 352.0f},
        {QStringLiteral("Шлакобетон"), QStringLiteral("Slag concrete"), 2.48e-3f, 340.0f},
        {QStringLiteral("Торкрет"), QStringLiteral("Shotcrete"), 1.57e-3f, 258.0f},
        {QStringLiteral("Фибробетон"), QStringLiteral("Fibre concr."), 1.33e-3f, 236.0f},
        {QStringLiteral("Гидробетон"), QStringLiteral("Hydro concr."), 1.12e-3f, 219.0f},
        {QStringLiteral("Мелкозерн."), QStringLiteral("Fine-grained"), 1.96e-3f, 301.0f},
        {QStringLiteral("Кирпич сил."), QStringLiteral("Brick sil."), 4.20e-3f, 455.0f},
        {QStringLiteral("Кирпич обл."), QStringLiteral("Brick tile"), 3.90e-3f, 440.0f},
        {QStringLiteral("Раствор М150"), QStringLiteral("Mortar M150"), 2.90e-3f, 380.0f},
        {QStringLiteral("Дерево"), QStringLiteral("Wood"), 5.10e-3f, 520.0f},
        {QStringLiteral("Материал 12"), QStringLiteral("Material 12"), 1.0e-3f, 100.0f},
        {QStringLiteral("Материал 13"), QStringLiteral("Material 13"), 1.0e-3f, 100.0f},
        {QStringLiteral("Материал 14"), QStringLiteral("Material 14"), 1.0e-3f, 100.0f},
    }};
}

ObjectDefs DemoObjects() {
    return {{
        {QStringLiteral("Плита"), QStringLiteral("Plate"), 2},
        {QStringLiteral("Перекрытие"), QStringLiteral("Floor"), 2},
        {QStringLiteral("Колонна"), QStringLiteral("Column"), 3},
        {QStringLiteral("Свая"), QStringLiteral("Pile"), 3},
        {QStringLiteral("Балка"), QStringLiteral("Beam"), 2},
        {QStringLiteral("Ригиль"), QStringLiteral("Rigil"), 3},
        {QStringLiteral("Фунд. балка"), QStringLiteral("Base beam"), 4},
        {QStringLiteral("Стен.панель"), QStringLiteral("Wallboard"), 1},
        {QStringLiteral("Диафрагма"), QStringLiteral("Diaphragm"), 2},
        {QStringLiteral("Резервуар"), QStringLiteral("Tank"), 11},
        {QStringLiteral("Лестн. марш"), QStringLiteral("Stair flight"), 1},
        {QStringLiteral("Тоннель"), QStringLiteral("Tunnel"), 9},
        {QStringLiteral("Ростверк"), QStringLiteral("Pile cap"), 4},
        {QStringLiteral("Подпорн.стена"), QStringLiteral("Retain. wall"), 4},
        {QStringLiteral("Пролет моста"), QStringLiteral("Bridge span"), 4},
        {QStringLiteral("Блок ФБС"), QStringLiteral("Found. block"), 0},
        {QStringLiteral("Плита балкона"), QStringLiteral("Balcony slab"), 2},
        {QStringLiteral("Объект 1"), QStringLiteral("Object 1"), 0},
        {QStringLiteral("Объект 2"), QStringLiteral("Object 2"), 0},
        {QStringLiteral("Объект 3"), QStringLiteral("Object 3"), 0},
    }};
}

ScreenBlock ResultScreen(const StoredMeasurement& measurement, const ObjectDefs& objects) {
    const std::uint8_t* r = measurement.record.data();
    const double m = ReadF32(r + record::kMOffset);
    const double h = ReadF32(r + record::kHOffset);
    const std::uint16_t object = ReadU16(r + record::kObjectOffset);
    const std::uint16_t grade = ReadU16(r + record::kGradeOffset);
    char line[32];

    constexpr int kLeft = 1;
    constexpr int kHeaderHeight = 9;
    constexpr int kLineHeight = 9;
    constexpr int kBatteryX = 84;
    ScreenCanvas canvas;
    std::snprintf(line, sizeof line, "N%u %02u:%02u", ReadU16(r + record::kNumberOffset),
                  r[record::kHourOffset], r[record::kMinuteOffset]);
    canvas.Text(kLeft + 1, 1, line);
    DrawBattery(canvas, kBatteryX, 1);
    canvas.Invert(0, 0, kDisplayWidth, kHeaderHeight);

    int y = kHeaderHeight + 1;
    std::snprintf(line, sizeof line, "%02u.%02u.%02u", r[record::kDayOffset],
                  r[record::kMonthOffset], r[record::kYearOffset]);
    canvas.Text(kLeft, y, line);
    y += kLineHeight;
    const QByteArray name = objects[object % kListEntries].english.toLatin1();
    canvas.Text(kLeft, y, name.toStdString());
    y += kLineHeight;
    canvas.Text(kLeft, y, "M=" + FixedDecimals(m, 1) + " S/CM3");
    y += kLineHeight;
    canvas.Text(kLeft, y, "A=" + FixedDecimals(m > 0 ? 1.0 / m : 0.0, 4) + " CM3/S");
    y += kLineHeight;
    canvas.Text(kLeft, y, "H=" + FixedDecimals(h, 1) + " CM");
    y += kLineHeight;
    const std::string mark = grade > 0 ? "GRADE W" + std::to_string(grade) : "GRADE -";
    canvas.Text(kLeft + 1, y + 1, mark);
    canvas.Invert(0, y, kDisplayWidth, kDisplayHeight - y);
    return canvas.Block();
}

DeviceMemory DemoMemory() {
    const ObjectDefs objects = DemoObjects();
    DeviceMemory memory;
    memory.version = QByteArray(kDemoVersion);
    memory.materials = BuildMaterialList(DemoMaterials());
    memory.objects = BuildObjectList(objects);

    NoiseSource noise(kDemoSeed);
    int index = 0;
    for (const SiteDay& day : kSiteDays) {
        int minuteOfDay = day.startHour * kMinutesPerHour + day.startMinute;
        for (int i = 0; i < day.measurements; ++i, ++index) {
            memory.archive.push_back(
                BuildMeasurement(DemoMeasurement(noise, day, index, i, minuteOfDay, objects)));
            minuteOfDay += noise.Between(kFewestMinutesApart, kMostMinutesApart);
        }
    }
    static_assert(kUngradedIndex < kDemoMeasurements && kNoHIndex < kDemoMeasurements);
    memory.screen = ResultScreen(memory.archive.back(), objects);
    return memory;
}

}  // namespace porvel::sim

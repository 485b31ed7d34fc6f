// The scenario lines that fill the instrument's memory: version, demo, records, lists, screen.
#include <QString>

#include "demo_archive.h"
#include "list_blocks.h"
#include "measurement.h"
#include "pressure_curve.h"
#include "scenario_parser.h"
#include "sim_constants.h"
#include "wire/byte_order.h"
#include "wire/cp1251.h"

namespace porvel::sim {
namespace {

using namespace protocol;

constexpr std::uint64_t kLargestWord = 0xFFFF;
constexpr std::size_t kLongestVersion = 4096;
constexpr double kHighestVacuumKPa = 200.0;
constexpr std::uint32_t kScenarioSeed = 7310;
constexpr int kMinutesBetweenRecords = 10;
constexpr int kFirstYear = 2026;
constexpr int kFirstMonth = 1;
constexpr int kFirstDay = 5;
constexpr int kFirstHour = 9;
constexpr std::uint64_t kLargestByte = 0xFF;
constexpr int kLargestYearOffset = 0xFF;  // the record holds the year less 2000 in a byte
constexpr int kGradeCount = 10;
constexpr int kGradeStep = 2;

bool NameFits(const std::string& name) {
    return static_cast<std::size_t>(ToCp1251(QString::fromStdString(name)).size()) <=
           kShortNameMaxChars;
}

bool ParseCurve(const std::string& text, std::vector<std::uint16_t>* samples) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        std::uint64_t value = 0;
        if (!ParseUnsigned(text.substr(start, end - start), kLargestWord, &value)) return false;
        samples->push_back(static_cast<std::uint16_t>(value));
        start = end + 1;
    }
    return samples->size() <= kMaxSamples;
}

// m in the middle of the range of the i-th grade, W2 to W20 in turn.
double MiddleOfGrade(std::size_t i) {
    double lowest = 0;
    double highest = 0;
    RangeOfGrade(static_cast<std::uint16_t>(kGradeStep * (1 + i % kGradeCount)), &lowest, &highest);
    return (lowest + highest) / 2;
}

}  // namespace

bool ScenarioParser::Version(const std::vector<Word>& words) {
    if (!TakeArguments(words, 1, {})) return false;
    QByteArray bytes = ToCp1251(QString::fromStdString(args_.Leading(0)));
    if (static_cast<std::size_t>(bytes.size()) > kLongestVersion)
        return Fail("version text longer than " + std::to_string(kLongestVersion) + " bytes");
    scenario_.memory.version = bytes;
    return true;
}

bool ScenarioParser::Demo(const std::vector<Word>& words) {
    if (!TakeArguments(words, 0, {})) return false;
    scenario_.memory = DemoMemory();
    // Records added after the demo carry on from its last measurement.
    const RecordBytes& last = scenario_.memory.archive.back().record;
    lastNumber_ = ReadU16(&last[record::kNumberOffset]);
    lastTaken_ = QDateTime(
        QDate(record::kBaseYear + last[record::kYearOffset], last[record::kMonthOffset],
              last[record::kDayOffset]),
        QTime(last[record::kHourOffset], last[record::kMinuteOffset], last[record::kSecondOffset]));
    return true;
}

MeasurementFields ScenarioParser::NextFields() const {
    MeasurementFields fields;
    fields.number = static_cast<std::uint16_t>(lastNumber_ + 1);
    const QDateTime taken =
        lastTaken_.isValid()
            ? lastTaken_.addSecs(kMinutesBetweenRecords * 60)
            : QDateTime(QDate(kFirstYear, kFirstMonth, kFirstDay), QTime(kFirstHour, 0));
    fields.year = taken.date().year();
    fields.month = taken.date().month();
    fields.day = taken.date().day();
    fields.hour = taken.time().hour();
    fields.minute = taken.time().minute();
    fields.second = taken.time().second();
    fields.m = kDefaultM;
    fields.h = kDefaultH;
    fields.atmosphere = kDefaultAtmosphereCounts;
    fields.rate = kDefaultRate;
    return fields;
}

bool ScenarioParser::ParseDateTime(MeasurementFields* fields) {
    if (args_.Has("date")) {
        const QDate date = QDate::fromString(QString::fromStdString(args_.Value("date")),
                                             QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid() || date.year() < record::kBaseYear ||
            date.year() > record::kBaseYear + kLargestYearOffset)
            return Fail("date must read yyyy-mm-dd, years 2000 to 2255, not \"" +
                        args_.Value("date") + "\"");
        fields->year = date.year();
        fields->month = date.month();
        fields->day = date.day();
    }
    if (args_.Has("time")) {
        const QString text = QString::fromStdString(args_.Value("time"));
        QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
        if (!time.isValid()) time = QTime::fromString(text, QStringLiteral("HH:mm"));
        if (!time.isValid())
            return Fail("time must read hh:mm or hh:mm:ss, not \"" + args_.Value("time") + "\"");
        fields->hour = time.hour();
        fields->minute = time.minute();
        fields->second = time.second();
    }
    return true;
}

bool ScenarioParser::Store(const MeasurementFields& fields) {
    if (scenario_.memory.archive.size() >= kMaxRecords)
        return Fail("the archive holds at most " + std::to_string(kMaxRecords) + " records");
    scenario_.memory.archive.push_back(BuildMeasurement(fields));
    lastNumber_ = fields.number;
    lastTaken_ = QDateTime(QDate(fields.year, fields.month, fields.day),
                           QTime(fields.hour, fields.minute, fields.second));
    return true;
}

bool ScenarioParser::Record(const std::vector<Word>& words) {
    if (!TakeArguments(words, 0,
                       {"number", "date", "time", "object", "material", "grade", "m", "h", "patm",
                        "rate", "samples", "curve", "vacuum", "length"}))
        return false;
    MeasurementFields fields = NextFields();
    std::string problem;
    std::uint64_t number = fields.number, object = 0, material = 0, patm = fields.atmosphere,
                  rate = fields.rate, samples = kDefaultSamples, grade = 0, length = 0;
    double m = fields.m, h = fields.h, vacuum = kDefaultVacuumKPa;
    const bool fieldsOk = args_.Unsigned("number", kLargestWord, &number, &problem) &&
                          args_.Unsigned("object", kLargestWord, &object, &problem) &&
                          args_.Unsigned("material", kLargestWord, &material, &problem) &&
                          args_.Unsigned("patm", kLargestWord, &patm, &problem) &&
                          args_.Unsigned("rate", kLargestWord, &rate, &problem) &&
                          args_.Unsigned("samples", kMaxSamples, &samples, &problem) &&
                          args_.Unsigned("grade", kLargestWord, &grade, &problem) &&
                          args_.Unsigned("length", kLargestWord, &length, &problem) &&
                          args_.Real("m", &m, &problem) && args_.Real("h", &h, &problem) &&
                          args_.Real("vacuum", &vacuum, &problem);
    if (!fieldsOk) return Fail(problem);
    if (!ParseDateTime(&fields)) return false;
    if (args_.Has("samples") && args_.Has("curve")) return Fail("give samples or curve, not both");
    if (vacuum < 0 || vacuum > kHighestVacuumKPa)
        return Fail("vacuum is an absolute pressure in kPa from 0 to 200");

    fields.number = static_cast<std::uint16_t>(number);
    fields.object = static_cast<std::uint16_t>(object);
    fields.material = static_cast<std::uint16_t>(material);
    fields.atmosphere = static_cast<std::uint16_t>(patm);
    fields.rate = static_cast<std::uint16_t>(rate);
    fields.m = static_cast<float>(m);
    fields.h = static_cast<float>(h);
    fields.grade = args_.Has("grade") ? static_cast<std::uint16_t>(grade) : GradeForM(m);
    if (args_.Has("length")) fields.curveLengthOverride = static_cast<std::uint16_t>(length);
    if (args_.Has("curve")) {
        if (!ParseCurve(args_.Value("curve"), &fields.samples))
            return Fail("curve is a comma-separated list of at most 32765 counts (0 to 65535)");
    } else {
        const auto seed =
            kScenarioSeed + static_cast<std::uint32_t>(scenario_.memory.archive.size());
        fields.samples = MeasurementCurve(m, fields.rate, fields.atmosphere, vacuum,
                                          static_cast<std::size_t>(samples), seed);
    }
    return Store(fields);
}

bool ScenarioParser::Generate(const std::vector<Word>& words) {
    if (!TakeArguments(words, 0, {"count", "samples", "rate", "m"})) return false;
    if (!args_.Has("count")) return Fail("generate needs count");
    std::string problem;
    std::uint64_t count = 0, samples = kDefaultSamples, rate = kDefaultRate;
    double m = 0;
    if (!args_.Unsigned("count", kMaxRecords, &count, &problem) ||
        !args_.Unsigned("samples", kMaxSamples, &samples, &problem) ||
        !args_.Unsigned("rate", kLargestWord, &rate, &problem) || !args_.Real("m", &m, &problem))
        return Fail(problem);
    for (std::uint64_t i = 0; i < count; ++i) {
        MeasurementFields fields = NextFields();
        const std::size_t index = scenario_.memory.archive.size();
        fields.m = static_cast<float>(args_.Has("m") ? m : MiddleOfGrade(index));
        fields.grade = GradeForM(fields.m);
        fields.rate = static_cast<std::uint16_t>(rate);
        fields.object = static_cast<std::uint16_t>(index % kListEntries);
        fields.samples = MeasurementCurve(fields.m, fields.rate, fields.atmosphere,
                                          kDefaultVacuumKPa, static_cast<std::size_t>(samples),
                                          kScenarioSeed + static_cast<std::uint32_t>(index));
        if (!Store(fields)) return false;
    }
    return true;
}

bool ScenarioParser::Material(const std::vector<Word>& words) {
    if (!TakeArguments(words, 1, {"ru", "en", "a0", "a1"})) return false;
    std::uint64_t entry = 0;
    if (!ParseUnsigned(args_.Leading(0), kListEntries - 1, &entry))
        return Fail("material entry must be 0 to 19");
    MaterialDef def = MaterialAt(scenario_.memory.materials, static_cast<std::size_t>(entry));
    double a0 = def.a0, a1 = def.a1;
    std::string problem;
    if (!args_.Real("a0", &a0, &problem) || !args_.Real("a1", &a1, &problem)) return Fail(problem);
    for (const char* key : {"ru", "en"})
        if (args_.Has(key) && !NameFits(args_.Value(key)))
            return Fail(std::string(key) + " name longer than 14 characters");
    if (args_.Has("ru")) def.russian = QString::fromStdString(args_.Value("ru"));
    if (args_.Has("en")) def.english = QString::fromStdString(args_.Value("en"));
    def.a0 = static_cast<float>(a0);
    def.a1 = static_cast<float>(a1);
    PutMaterialEntry(scenario_.memory.materials, static_cast<std::size_t>(entry), def);
    return true;
}

bool ScenarioParser::Object(const std::vector<Word>& words) {
    if (!TakeArguments(words, 1, {"ru", "en", "material"})) return false;
    std::uint64_t entry = 0;
    if (!ParseUnsigned(args_.Leading(0), kListEntries - 1, &entry))
        return Fail("object entry must be 0 to 19");
    ObjectDef def = ObjectAt(scenario_.memory.objects, static_cast<std::size_t>(entry));
    std::uint64_t material = def.material;
    std::string problem;
    if (!args_.Unsigned("material", kLargestWord, &material, &problem)) return Fail(problem);
    for (const char* key : {"ru", "en"})
        if (args_.Has(key) && !NameFits(args_.Value(key)))
            return Fail(std::string(key) + " name longer than 14 characters");
    if (args_.Has("ru")) def.russian = QString::fromStdString(args_.Value("ru"));
    if (args_.Has("en")) def.english = QString::fromStdString(args_.Value("en"));
    def.material = static_cast<std::uint16_t>(material);
    PutObjectEntry(scenario_.memory.objects, static_cast<std::size_t>(entry), def);
    return true;
}

bool ScenarioParser::Screen(const std::vector<Word>& words) {
    if (words.empty() || !words[0].key.empty()) return Fail("screen takes demo, blank or hex");
    const std::string& how = words[0].value;
    ScreenBlock& screen = scenario_.memory.screen;
    if ((how == "demo" || how == "blank") && words.size() > 1)
        return Fail("screen " + how + " takes nothing more");
    if (how == "demo") {
        screen = DemoMemory().screen;
        return true;
    }
    if (how == "blank") {
        screen.fill(0);
        return true;
    }
    if (how != "hex") return Fail("screen takes demo, blank or hex, not \"" + how + "\"");
    std::string digits;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (!words[i].key.empty() || words[i].quoted) return Fail("screen hex takes hex digits");
        digits += words[i].value;
    }
    if (digits.size() % 2 != 0 || digits.size() / 2 > screen.size())
        return Fail("screen hex takes an even number of hex digits, at most 1568");
    screen.fill(0);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        std::uint64_t byte = 0;
        if (!ParseUnsigned("0x" + digits.substr(i, 2), kLargestByte, &byte))
            return Fail("screen hex: \"" + digits.substr(i, 2) + "\" is no hex byte");
        screen[i / 2] = static_cast<std::uint8_t>(byte);
    }
    return true;
}

}  // namespace porvel::sim

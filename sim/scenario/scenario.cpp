#include "scenario.h"

#include "demo_archive.h"
#include "list_blocks.h"
#include "scenario_parser.h"

namespace porvel::sim {
namespace {

using namespace protocol;

constexpr char kFactoryVersion[] = "PORVEL-2 v3.05 12.2025";
constexpr int kMostInstruments = 4;
constexpr std::uint64_t kLargestBus = 255;
constexpr std::uint64_t kLargestWord = 0xFFFF;

}  // namespace

Scenario FactoryScenario() {
    Scenario scenario;
    scenario.memory.version = QByteArray(kFactoryVersion);
    scenario.memory.materials = BuildMaterialList(FactoryMaterials());
    scenario.memory.objects = BuildObjectList(FactoryObjects());
    return scenario;
}

Scenario DemoScenario() {
    Scenario scenario;
    scenario.memory = DemoMemory();
    return scenario;
}

bool ParseScenario(const std::string& text, Scenario* scenario, std::string* error) {
    ScenarioParser parser;
    if (!parser.Parse(text, error)) return false;
    *scenario = parser.Result();
    return true;
}

bool ScenarioParser::Parse(const std::string& text, std::string* error) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ++line_;
        std::vector<Word> words;
        std::string problem;
        if (!SplitLine(text.substr(start, end - start), &words, &problem)) {
            *error = "line " + std::to_string(line_) + ": " + problem;
            return false;
        }
        if (!words.empty() && !Line(words)) {
            *error = "line " + std::to_string(errorLine_) + ": " + error_;
            return false;
        }
        start = end + 1;
    }
    if (!CheckRecordReferences()) {
        *error = "line " + std::to_string(errorLine_) + ": " + error_;
        return false;
    }
    return true;
}

bool ScenarioParser::Line(const std::vector<Word>& words) {
    using Handler = bool (ScenarioParser::*)(const std::vector<Word>&);
    struct Keyword {
        const char* name;
        Handler handler;
    };
    static const Keyword kKeywords[] = {
        {"version", &ScenarioParser::Version},
        {"demo", &ScenarioParser::Demo},
        {"record", &ScenarioParser::Record},
        {"generate", &ScenarioParser::Generate},
        {"material", &ScenarioParser::Material},
        {"object", &ScenarioParser::Object},
        {"screen", &ScenarioParser::Screen},
        {"instruments", &ScenarioParser::Instruments},
        {"other_device", &ScenarioParser::OtherDeviceLine},
        {"fault", &ScenarioParser::Fault},
    };
    const Word& first = words.front();
    if (first.key.empty() && !first.quoted) {
        for (const Keyword& keyword : kKeywords)
            if (first.value == keyword.name)
                return (this->*keyword.handler)({words.begin() + 1, words.end()});
    }
    return Fail("unknown keyword \"" + (first.key.empty() ? first.value : first.key) + "\"");
}

bool ScenarioParser::Fail(const std::string& reason) {
    error_ = reason;
    errorLine_ = line_;
    return false;
}

bool ScenarioParser::TakeArguments(const std::vector<Word>& words, std::size_t leading,
                                   std::initializer_list<const char*> known) {
    std::string problem;
    return args_.Take(words, leading, known, &problem) || Fail(problem);
}

bool ScenarioParser::Instruments(const std::vector<Word>& words) {
    if (!TakeArguments(words, 1, {})) return false;
    std::uint64_t count = 0;
    if (!ParseUnsigned(args_.Leading(0), kMostInstruments, &count))
        return Fail("instruments takes a count from 0 to " + std::to_string(kMostInstruments));
    scenario_.instruments = static_cast<int>(count);
    return true;
}

bool ScenarioParser::OtherDeviceLine(const std::vector<Word>& words) {
    if (!TakeArguments(words, 3, {})) return false;
    std::uint64_t bus = 0;
    std::uint64_t vendor = 0;
    std::uint64_t product = 0;
    if (!ParseUnsigned(args_.Leading(0), kLargestBus, &bus) || bus == 0)
        return Fail("other_device: the bus is a number from 1 to " + std::to_string(kLargestBus));
    if (!ParseUnsigned(args_.Leading(1), kLargestWord, &vendor) ||
        !ParseUnsigned(args_.Leading(2), kLargestWord, &product))
        return Fail("other_device: vendor and product are 16-bit numbers");
    if (vendor == kVendorId && product == kProductId)
        return Fail("other_device carries the instrument's identifiers; use instruments");
    scenario_.otherDevices.push_back({static_cast<int>(bus), static_cast<std::uint16_t>(vendor),
                                      static_cast<std::uint16_t>(product)});
    return true;
}

}  // namespace porvel::sim

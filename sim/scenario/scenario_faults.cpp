// The fault lines of a scenario.
#include <algorithm>

#include "scenario_parser.h"

namespace porvel::sim {
namespace {

using namespace protocol;

constexpr std::uint64_t kLargestCount = 1u << 20;
constexpr std::uint64_t kLargestHeader = 0xFFFFFFFFu;

struct CommandNameEntry {
    const char* name;
    Command command;
};
constexpr CommandNameEntry kCommandNames[] = {
    {"ReadVersion", Command::ReadVersion},     {"ReadParameters", Command::ReadParameters},
    {"ReadRecord", Command::ReadRecord},       {"ReadCurve", Command::ReadCurve},
    {"ReadMaterials", Command::ReadMaterials}, {"ReadObjects", Command::ReadObjects},
    {"ReadScreen", Command::ReadScreen},
};

}  // namespace

bool ScenarioParser::Fault(const std::vector<Word>& words) {
    if (words.empty() || !words[0].key.empty()) return Fail("fault needs a kind");
    const std::string kind = words[0].value;
    const std::vector<Word> rest(words.begin() + 1, words.end());
    Faults& faults = scenario_.faults;
    std::string problem;
    auto need = [&](const char* key) {
        return args_.Has(key) || Fail("fault " + kind + " needs " + key);
    };
    auto number = [&](const char* key, std::uint64_t largest, std::uint64_t* value) {
        return args_.Unsigned(key, largest, value, &problem) || Fail(problem);
    };
    std::uint64_t a = 0;
    std::uint64_t b = 1;

    if (kind == "absent") {
        if (!TakeArguments(rest, 0, {"searches"}) || !need("searches") ||
            !number("searches", kLargestCount, &a))
            return false;
        faults.absentSearches = static_cast<unsigned>(a);
    } else if (kind == "fail_transfer" || kind == "short_reply") {
        const char* first = kind == "fail_transfer" ? "at" : "payload";
        if (!TakeArguments(rest, 0, {first, "count"}) || !need(first) ||
            !number(first, kLargestCount, &a) || !number("count", kLargestCount, &b))
            return false;
        if (a == 0 || b == 0) return Fail(std::string(first) + " and count start at 1");
        auto& spans = kind == "fail_transfer" ? faults.failingTransfers : faults.shortPayloads;
        spans.push_back({static_cast<unsigned>(a), static_cast<unsigned>(b)});
    } else if (kind == "record_crc" || kind == "record_marker" || kind == "curve_crc") {
        if (!TakeArguments(rest, 0, {"record"}) || !need("record") ||
            !number("record", kMaxRecords - 1, &a))
            return false;
        auto& set = kind == "record_crc"      ? faults.recordCrc
                    : kind == "record_marker" ? faults.recordMarker
                                              : faults.curveCrc;
        set.insert(static_cast<std::size_t>(a));
        recordReferences_.push_back({static_cast<std::size_t>(a), line_});
    } else if (kind == "material_crc" || kind == "object_crc") {
        if (!TakeArguments(rest, 0, {"entry"}) || !need("entry") ||
            !number("entry", kListEntries - 1, &a))
            return false;
        (kind == "material_crc" ? faults.materialEntries : faults.objectEntries)
            .insert(static_cast<std::size_t>(a));
    } else if (kind == "parameters_marker") {
        if (!TakeArguments(rest, 0, {"replies"}) || !need("replies") ||
            !number("replies", kLargestCount, &a))
            return false;
        faults.spoiledParameterReplies = static_cast<unsigned>(a);
    } else if (kind == "unplug") {
        if (!TakeArguments(rest, 0, {"after", "back"}) || !need("after") ||
            !number("after", kLargestCount, &a) || !number("back", kLargestCount, &b))
            return false;
        if (a == 0) return Fail("unplug after counts transfers from 1");
        if (unplugSeen_) return Fail("only one unplug fault per scenario");
        unplugSeen_ = true;
        faults.unplugAfterTransfer = static_cast<unsigned>(a);
        if (args_.Has("back")) faults.replugAfterSearches = static_cast<unsigned>(b);
    } else if (kind == "header") {
        if (!TakeArguments(rest, 0, {"command", "value"}) || !need("command") || !need("value") ||
            !number("value", kLargestHeader, &a))
            return false;
        const auto named =
            std::find_if(std::begin(kCommandNames), std::end(kCommandNames),
                         [&](const auto& e) { return args_.Value("command") == e.name; });
        if (named == std::end(kCommandNames))
            return Fail("fault header: \"" + args_.Value("command") +
                        "\" is no command with a reply");
        faults.headers.push_back({named->command, static_cast<std::uint32_t>(a)});
    } else {
        return Fail("unknown fault \"" + kind + "\"");
    }
    return true;
}

bool ScenarioParser::CheckRecordReferences() {
    const std::size_t records = scenario_.memory.archive.size();
    for (const RecordReference& reference : recordReferences_) {
        if (reference.ordinal < records) continue;
        line_ = reference.line;
        return Fail("the fault names record " + std::to_string(reference.ordinal) +
                    ", the archive holds " + std::to_string(records) + " records");
    }
    return true;
}

}  // namespace porvel::sim

// The reader of scenario texts behind ParseScenario: one handler per keyword. The handlers of
// the device's memory live in scenario_contents.cpp, those of the bus and faults in scenario.cpp.
#pragma once

#include <QDateTime>
#include <string>
#include <vector>

#include "measurement.h"
#include "scenario.h"
#include "scenario_arguments.h"

namespace porvel::sim {

class ScenarioParser {
public:
    bool Parse(const std::string& text, std::string* error);
    const Scenario& Result() const { return scenario_; }

private:
    // A fault that names a record; checked once all records are known.
    struct RecordReference {
        std::size_t ordinal;
        int line;
    };

    bool Line(const std::vector<Word>& words);

    bool Version(const std::vector<Word>& words);
    bool Demo(const std::vector<Word>& words);
    bool Record(const std::vector<Word>& words);
    bool Generate(const std::vector<Word>& words);
    bool Material(const std::vector<Word>& words);
    bool Object(const std::vector<Word>& words);
    bool Screen(const std::vector<Word>& words);
    bool Instruments(const std::vector<Word>& words);
    bool OtherDeviceLine(const std::vector<Word>& words);
    bool Fault(const std::vector<Word>& words);

    bool TakeArguments(const std::vector<Word>& words, std::size_t leading,
                       std::initializer_list<const char*> known);
    // Sets the reason of the failure; always false.
    bool Fail(const std::string& reason);
    // A record with every default: numbered and timed after the last one.
    MeasurementFields NextFields() const;
    bool ParseDateTime(MeasurementFields* fields);
    bool Store(const MeasurementFields& fields);
    bool CheckRecordReferences();

    Scenario scenario_ = FactoryScenario();
    Arguments args_;
    std::string error_;
    int line_ = 0;
    int errorLine_ = 0;
    std::vector<RecordReference> recordReferences_;
    bool unplugSeen_ = false;
    // The clock of the records: each record not given a date and time comes after the last.
    QDateTime lastTaken_;
    int lastNumber_ = 0;
};

}  // namespace porvel::sim

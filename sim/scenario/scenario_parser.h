// Reading a scenario text: the words of a line, the arguments after its keyword and the reader
// with one handler per keyword.
#pragma once

#include <QDateTime>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "measurement.h"
#include "scenario.h"

namespace porvel::sim {

// Words of one scenario line: bare words, key=value pairs and double-quoted texts (UTF-8, with
// the escapes \" \\ \0 and \xHH, the last giving the Windows-1251 character of byte HH). A '#'
// outside quotes starts a comment.
struct Word {
    std::string key;  // empty for a bare word or a quoted text
    std::string value;
    bool quoted = false;
};

// False with a reason in `error` for an unterminated quote or a bad escape.
bool SplitLine(const std::string& line, std::vector<Word>* words, std::string* error);

// Decimal, or hexadecimal after 0x; at most `largest`.
bool ParseUnsigned(const std::string& text, std::uint64_t largest, std::uint64_t* value);
// A decimal number with an optional exponent (C locale).
bool ParseReal(const std::string& text, double* value);

// The arguments of one scenario line after its keyword: a fixed number of leading words, then
// key=value pairs from a known set, each at most once.

class Arguments {
public:
    // False with a reason for a missing or extra leading word, an unknown or repeated key.
    bool Take(const std::vector<Word>& words, std::size_t leading,
              std::initializer_list<const char*> known, std::string* error);

    const std::string& Leading(std::size_t i) const { return leading_[i]; }
    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    const std::string& Value(const std::string& key) const { return values_.at(key); }

    // Each false with "key must be ..." in `error`; an absent key leaves `value` as it is.
    bool Unsigned(const std::string& key, std::uint64_t largest, std::uint64_t* value,
                  std::string* error) const;
    bool Real(const std::string& key, double* value, std::string* error) const;

private:
    std::vector<std::string> leading_;
    std::map<std::string, std::string> values_;
};

// The reader of scenario texts behind ParseScenario: one handler per keyword. The handlers of
// the device's memory live in scenario_contents.cpp, those of the bus and faults in scenario.cpp.

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

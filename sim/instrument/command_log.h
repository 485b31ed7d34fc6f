// The instrument's log of what the host asked of it: one line per command with the time since
// the scenario was loaded (on the instrument's clock), plus lines for pace violations and injected
// faults. Kept as text and optionally appended to a file as it grows.
#pragma once

#include <string>

#include "sim_constants.h"
#include "time_source.h"
#include "wire/protocol.h"

namespace porvel::sim {

const char* CommandName(protocol::Command command);
// A number with a full stop and `decimals` decimals, whatever the C library's locale: the
// instrument's display and its log never write "12,3".
std::string FixedDecimals(double value, int decimals);
// "12.3 ms": a duration as the log and the violation texts show it.
std::string FormatMs(Micros duration);

class CommandLog {
public:
    // Times count from now on `time`, which must outlive the log.
    explicit CommandLog(TimeSource& time, std::string filePath = {});

    // One line: milliseconds since the start with one decimal, a blank, the text.
    void Add(const std::string& text);
    const std::string& Text() const { return text_; }

private:
    TimeSource* time_;
    TimePoint start_;
    std::string filePath_;
    std::string text_;
};

}  // namespace porvel::sim

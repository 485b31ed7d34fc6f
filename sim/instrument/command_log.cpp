#include "command_log.h"

#include <charconv>
#include <cstdio>

namespace porvel::sim {

const char* CommandName(protocol::Command command) {
    using protocol::Command;
    switch (command) {
        case Command::ReadVersion:
            return "ReadVersion";
        case Command::ReadParameters:
            return "ReadParameters";
        case Command::ReadRecord:
            return "ReadRecord";
        case Command::ReadCurve:
            return "ReadCurve";
        case Command::ReadMaterials:
            return "ReadMaterials";
        case Command::WriteMaterials:
            return "WriteMaterials";
        case Command::ReadObjects:
            return "ReadObjects";
        case Command::WriteObjects:
            return "WriteObjects";
        case Command::ReadScreen:
            return "ReadScreen";
    }
    return "?";
}

std::string FixedDecimals(double value, int decimals) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string("?");
}

std::string FormatMs(Micros duration) {
    return FixedDecimals(static_cast<double>(duration.count()) / 1000.0, 1) + " ms";
}

CommandLog::CommandLog(TimeSource& time, std::string filePath)
    : time_(&time), start_(time.Now()), filePath_(std::move(filePath)) {}

void CommandLog::Add(const std::string& text) {
    const auto elapsed = std::chrono::duration_cast<Micros>(time_->Now() - start_);
    const std::string line =
        FixedDecimals(static_cast<double>(elapsed.count()) / 1000.0, 1) + " " + text + "\n";
    text_ += line;
    if (filePath_.empty()) return;
    if (std::FILE* file = std::fopen(filePath_.c_str(), "a")) {
        std::fputs(line.c_str(), file);
        std::fclose(file);
    }
}

}  // namespace porvel::sim

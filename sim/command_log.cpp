#include "command_log.h"

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

std::string FormatMs(Micros duration) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", static_cast<double>(duration.count()) / 1000.0);
    return text;
}

CommandLog::CommandLog(TimeSource& time, std::string filePath)
    : time_(&time), start_(time.Now()), filePath_(std::move(filePath)) {}

void CommandLog::Add(const std::string& text) {
    const auto elapsed = std::chrono::duration_cast<Micros>(time_->Now() - start_);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.1f ", static_cast<double>(elapsed.count()) / 1000.0);
    const std::string line = stamp + text + "\n";
    text_ += line;
    if (filePath_.empty()) return;
    if (std::FILE* file = std::fopen(filePath_.c_str(), "a")) {
        std::fputs(line.c_str(), file);
        std::fclose(file);
    }
}

}  // namespace porvel::sim

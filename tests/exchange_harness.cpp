#include "exchange_harness.h"

#include <QLocale>
#include <sstream>

#include "command_log.h"
#include "scenario.h"

namespace porvel::testing {
namespace {

bool IsCommandName(const std::string& word) {
    for (std::uint8_t code = protocol::kFirstCommand; code <= protocol::kLastCommand; ++code)
        if (word == sim::CommandName(static_cast<protocol::Command>(code))) return true;
    return false;
}

}  // namespace

void ExchangeHarness::SetUp() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void ExchangeHarness::TearDown() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void ExchangeHarness::Load(const std::string& scenario) {
    sim::Scenario parsed;
    std::string error;
    ASSERT_TRUE(sim::ParseScenario(scenario, &parsed, &error)) << error;
    link_.reset();
    device_ =
        std::make_unique<sim::Instrument>(parsed.memory, parsed.faults, std::string(), clock_);
    link_ = std::make_unique<InstrumentLink>(*device_);
}

bool ExchangeHarness::Run(Operation operation, RecordingView& view) {
    view.language = language_;
    view.objects = &objects_;
    view.materials = &materials_;
    Exchange exchange(state_, *link_, clock_, view, objects_, materials_);
    status_ = exchange.Run(operation);
    return true;
}

std::vector<std::string> ExchangeHarness::Commands() const {
    std::vector<std::string> commands;
    std::istringstream lines(device_->Log().Text());
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t text = line.find(' ');
        if (text == std::string::npos) continue;
        const std::string rest = line.substr(text + 1);
        if (IsCommandName(rest.substr(0, rest.find(' ')))) commands.push_back(rest);
    }
    return commands;
}

int ExchangeHarness::CountCommand(const std::string& command) const {
    int count = 0;
    for (const std::string& c : Commands())
        if (c == command) ++count;
    return count;
}

int ExchangeHarness::FramesSent(protocol::Command command) const {
    const auto code = static_cast<std::uint8_t>(command);
    int count = 0;
    for (const std::vector<std::uint8_t>& bytes : link_->Writes())
        if (bytes.size() >= 2 && bytes[0] == code && bytes[1] == 0xFF - code) ++count;
    return count;
}

std::string ExchangeHarness::Log() const {
    return device_ ? device_->Log().Text() : std::string();
}

}  // namespace porvel::testing

// One exchange as the program runs it, against the simulated instrument in virtual time: a
// scenario loaded into a device, the device link over it, the session's exchange state, both
// name tables and a recording view. Exchanges are run the way a starter runs them, one after
// the other on the same state, so that flags and blocks carry over as they do in the program.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/exchange.h"
#include "instrument.h"
#include "instrument_link.h"
#include "recording_view.h"
#include "virtual_clock.h"
#include "wire/name_tables.h"

namespace porvel::testing {

class ExchangeHarness : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new instrument holding `scenario`; the test fails when the text does not parse.
    void Load(const std::string& scenario);
    // Runs an exchange of the operation to its end, as a starter does (the lists-needed flag is
    // left to the test), with the view showing it in `language_`. True once it has ended.
    bool Run(Operation operation, RecordingView& view);
    bool Run(Operation operation) { return Run(operation, view_); }

    // The commands the instrument received, with their arguments ("ReadCurve 24").
    std::vector<std::string> Commands() const;
    int CountCommand(const std::string& command) const;
    // Command frames the link handed to the device, the ones whose transfer failed included.
    int FramesSent(protocol::Command command) const;
    sim::Instrument& Device() { return *device_; }
    InstrumentLink& Link() { return *link_; }
    // The instrument's command log, for failure messages.
    std::string Log() const;

    VirtualClock clock_;
    ExchangeState state_;
    ExchangeStatus status_;  // how the last exchange that Run ran ended
    RecordingView view_;
    NameTable objects_ = DefaultObjectNames();
    NameTable materials_ = DefaultMaterialNames();
    Language language_ = Language::Russian;

private:
    std::unique_ptr<sim::Instrument> device_;
    std::unique_ptr<InstrumentLink> link_;
};

}  // namespace porvel::testing

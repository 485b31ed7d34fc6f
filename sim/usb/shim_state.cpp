#include "shim_state.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace porvel::sim {
namespace {

constexpr char kScenarioVariable[] = "PORVEL_SIM_SCENARIO";
constexpr char kLogVariable[] = "PORVEL_SIM_LOG";

std::string LogPath() {
    const char* path = std::getenv(kLogVariable);
    return path ? path : "";
}

void ReportLoadProblem(ShimState& state, const std::string& problem) {
    state.loadError = problem;
    std::fprintf(stderr, "porvel-sim: %s\n", problem.c_str());
    CommandLog log(RealTime(), LogPath());
    log.Add("scenario not loaded: " + problem);
}

}  // namespace

ShimState& State() {
    static ShimState state;
    return state;
}

void Install(ShimState& state, const Scenario& scenario) {
    state.instrument =
        std::make_unique<Instrument>(scenario.memory, scenario.faults, LogPath(), state.time);
    state.layout = std::make_unique<BusLayout>(scenario);
    state.buses.Reset();
    ++state.scenario;
    state.loaded = true;
    state.openCalls = 0;
    state.lastOpenIndex = -1;
    state.loadError.clear();
}

bool InstallText(ShimState& state, const std::string& text) {
    Scenario scenario;
    std::string error;
    if (!ParseScenario(text, &scenario, &error)) {
        state.loadError = error;
        return false;
    }
    Install(state, scenario);
    return true;
}

void InstallFromEnvironment(ShimState& state) {
    const char* path = std::getenv(kScenarioVariable);
    if (!path || !*path) {
        Install(state, DemoScenario());
        return;
    }
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    Scenario scenario;
    std::string error;
    if (!file) {
        error = std::string(path) + ": cannot be read";
    } else if (!ParseScenario(text.str(), &scenario, &error)) {
        error = std::string(path) + ": " + error;
    }
    if (!error.empty()) {
        // Nothing answers on the bus, so the program keeps looking for its instrument.
        Scenario empty = FactoryScenario();
        empty.instruments = 0;
        Install(state, empty);
        ReportLoadProblem(state, error);
        return;
    }
    Install(state, scenario);
}

void ResetState(ShimState& state) {
    for (usb_dev_handle* handle : state.handles) delete handle;
    state.handles.clear();
    state.instrument.reset();
    state.layout.reset();
    state.buses.Reset();
    ++state.scenario;
    state.loaded = false;
    state.initCalls = 0;
    state.openCalls = 0;
    state.lastOpenIndex = -1;
    state.lastError = "no error";
    state.loadError.clear();
    state.time.UseVirtual(false);
}

usb_dev_handle* FindHandle(ShimState& state, usb_dev_handle* handle) {
    return state.handles.count(handle) ? handle : nullptr;
}

bool HandleAlive(const ShimState& state, const usb_dev_handle& handle) {
    if (handle.scenario != state.scenario || !state.instrument) return false;
    if (!handle.instrument) return true;
    return state.instrument->OnBus() && handle.attachment == state.instrument->Attachment();
}

int Failure(ShimState& state, int result, const std::string& text) {
    state.lastError = text;
    return result;
}

}  // namespace porvel::sim

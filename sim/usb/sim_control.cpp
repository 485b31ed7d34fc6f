#include "sim_control.h"

#include <cstring>

#include "shim_state.h"

#define PORVEL_EXPORT extern "C" __attribute__((visibility("default")))

using porvel::sim::ShimState;
using porvel::sim::State;

namespace {

using Lock = std::lock_guard<std::mutex>;

template <typename Block>
int CopyBlock(const Block& block, unsigned char* buffer, int size) {
    if (!buffer || size < static_cast<int>(block.size())) return -1;
    std::memcpy(buffer, block.data(), block.size());
    return static_cast<int>(block.size());
}

}  // namespace

PORVEL_EXPORT int porvel_sim_load_scenario(const char* text) {
    ShimState& state = State();
    Lock lock(state.mutex);
    if (!text) {
        state.loadError = "no scenario text";
        return -1;
    }
    return porvel::sim::InstallText(state, text) ? 0 : -1;
}

PORVEL_EXPORT void porvel_sim_load_demo(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    porvel::sim::Install(state, porvel::sim::DemoScenario());
}

PORVEL_EXPORT void porvel_sim_reset(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    porvel::sim::ResetState(state);
}

PORVEL_EXPORT void porvel_sim_use_virtual_time(void) {
    State().time.UseVirtual(true);
}

PORVEL_EXPORT void porvel_sim_advance_ms(int ms) {
    State().time.Advance(std::chrono::milliseconds(ms));
}

PORVEL_EXPORT const char* porvel_sim_last_error(void) {
    static thread_local std::string copy;
    ShimState& state = State();
    Lock lock(state.mutex);
    copy = state.loadError;
    return copy.c_str();
}

PORVEL_EXPORT const char* porvel_sim_log(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    state.logCopy = state.instrument ? state.instrument->Log().Text() : std::string();
    return state.logCopy.c_str();
}

PORVEL_EXPORT int porvel_sim_init_calls(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    return state.initCalls;
}

PORVEL_EXPORT int porvel_sim_open_calls(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    return state.openCalls;
}

PORVEL_EXPORT int porvel_sim_last_open_device(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    return state.lastOpenIndex;
}

PORVEL_EXPORT int porvel_sim_violations(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    return state.instrument ? static_cast<int>(state.instrument->Violations()) : 0;
}

PORVEL_EXPORT int porvel_sim_transfers(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    return state.instrument ? static_cast<int>(state.instrument->Transfers()) : 0;
}

PORVEL_EXPORT int porvel_sim_material_list(unsigned char* buffer, int size) {
    ShimState& state = State();
    Lock lock(state.mutex);
    if (!state.instrument) return -1;
    return CopyBlock(state.instrument->Memory().materials, buffer, size);
}

PORVEL_EXPORT int porvel_sim_object_list(unsigned char* buffer, int size) {
    ShimState& state = State();
    Lock lock(state.mutex);
    if (!state.instrument) return -1;
    return CopyBlock(state.instrument->Memory().objects, buffer, size);
}

// Reaches the control entries of libporvel-sim.so, the same library the binding loads.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace porvel::testing {

class SimLibrary {
public:
    SimLibrary() {
        setenv("PORVEL_USB_LIBRARY", PORVEL_SIM_LIBRARY, 1);
        handle_ = dlopen(PORVEL_SIM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    }
    ~SimLibrary() {
        unsetenv("PORVEL_USB_LIBRARY");
        if (handle_) dlclose(handle_);
    }
    bool Ready() const { return handle_ != nullptr; }

    template <typename Fn>
    Fn Entry(const char* name) const {
        return reinterpret_cast<Fn>(dlsym(handle_, name));
    }

    // Loads a scenario; the test fails with the simulator's reason when it does not parse.
    void Load(const std::string& scenario) const {
        const int result =
            Entry<int (*)(const char*)>("porvel_sim_load_scenario")(scenario.c_str());
        ASSERT_EQ(result, 0) << Entry<const char* (*)()>("porvel_sim_last_error")();
    }
    int Count(const char* counter) const { return Entry<int (*)()>(counter)(); }
    std::string Log() const { return Entry<const char* (*)()>("porvel_sim_log")(); }

private:
    void* handle_ = nullptr;
};

}  // namespace porvel::testing

// libporvel-sim.so for the window tests, loaded as the program loads its USB library: the
// program is pointed at it, and the test reaches its control entries (scenario, log, lists).
#pragma once

#include <dlfcn.h>

#include <QString>
#include <QtGlobal>

#include "wire/frames.h"

namespace porvel::testing {

struct GuiSim {
    GuiSim() {
        qputenv("PORVEL_USB_LIBRARY", PORVEL_SIM_LIBRARY);
        handle = dlopen(PORVEL_SIM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    }
    template <typename Fn>
    Fn Entry(const char* name) const {
        return handle ? reinterpret_cast<Fn>(dlsym(handle, name)) : nullptr;
    }
    // False when the library is missing or the scenario does not parse.
    bool Load(const char* scenario) const {
        auto load = Entry<int (*)(const char*)>("porvel_sim_load_scenario");
        return load && load(scenario) == 0;
    }
    QString Log() const { return QString::fromUtf8(Entry<const char* (*)()>("porvel_sim_log")()); }
    template <typename Block>
    Block List(const char* entry) const {
        Block block{};
        Entry<int (*)(unsigned char*, int)>(entry)(block.data(), static_cast<int>(block.size()));
        return block;
    }
    ObjectListBlock Objects() const { return List<ObjectListBlock>("porvel_sim_object_list"); }
    MaterialListBlock Materials() const {
        return List<MaterialListBlock>("porvel_sim_material_list");
    }

    void* handle = nullptr;
};

}  // namespace porvel::testing

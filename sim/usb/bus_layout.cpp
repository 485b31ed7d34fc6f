#include "bus_layout.h"

#include <algorithm>
#include <iterator>

#include "wire/protocol.h"

namespace porvel::sim {

BusLayout::BusLayout(const Scenario& scenario) {
    int instrumentBus = 1;
    for (const OtherDevice& other : scenario.otherDevices)
        instrumentBus = std::max(instrumentBus, other.bus);
    std::vector<BusDevice> unordered;
    for (const OtherDevice& other : scenario.otherDevices)
        unordered.push_back({other.bus, other.vendor, other.product, false});
    for (int i = 0; i < scenario.instruments; ++i)
        unordered.push_back({instrumentBus, protocol::kVendorId, protocol::kProductId, true});
    // Stable: within a bus the devices keep the order given, instruments last.
    std::stable_sort(unordered.begin(), unordered.end(),
                     [](const BusDevice& a, const BusDevice& b) { return a.bus < b.bus; });
    devices_ = std::move(unordered);
    for (const BusDevice& device : devices_)
        if (buses_.empty() || buses_.back() != device.bus) buses_.push_back(device.bus);
    if (buses_.empty()) buses_.push_back(instrumentBus);
}

int BusLayout::FindBusses() {
    if (bussesReported_) return 0;
    bussesReported_ = true;
    return static_cast<int>(buses_.size());
}

int BusLayout::FindDevices(bool instrumentOnBus, unsigned attachment) {
    std::set<Key> now;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (!devices_[i].instrument)
            now.insert({i, 0});
        else if (instrumentOnBus)
            now.insert({i, attachment});
    }
    std::vector<Key> changed;
    std::set_symmetric_difference(shown_.begin(), shown_.end(), now.begin(), now.end(),
                                  std::back_inserter(changed));
    shown_ = std::move(now);
    return static_cast<int>(changed.size());
}

bool BusLayout::Shown(std::size_t i) const {
    return std::any_of(shown_.begin(), shown_.end(),
                       [i](const Key& key) { return key.first == i; });
}

}  // namespace porvel::sim

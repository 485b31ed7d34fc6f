#include "instrument_link.h"

namespace porvel::testing {

int InstrumentLink::Load() {
    ++loads_;
    if (onLoad) onLoad();
    if (loadResults.empty()) return kLoaded;
    const int result = loadResults.front();
    loadResults.pop_front();
    return result;
}

int InstrumentLink::FindAndOpen() {
    ++searches_;
    open_ = device_.Search();
    if (!open_) return kAbsent;
    attachment_ = device_.Attachment();
    return kFound;
}

void InstrumentLink::Close() {
    ++closes_;
    open_ = false;
}

bool InstrumentLink::Alive() const {
    return open_ && device_.OnBus() && device_.Attachment() == attachment_;
}

int InstrumentLink::Write(const std::uint8_t* bytes, int count) {
    if (onWrite) onWrite(bytes, count);
    if (!Alive()) return sim::kErrNoDevice;
    writes_.emplace_back(bytes, bytes + count);
    return device_.Write(bytes, static_cast<std::size_t>(count), kTimeoutMs);
}

int InstrumentLink::Read(std::uint8_t* destination, int count) {
    if (!Alive()) return sim::kErrNoDevice;
    return device_.Read(destination, static_cast<std::size_t>(count), kTimeoutMs);
}

}  // namespace porvel::testing

#include "transport.h"

#include <chrono>
#include <thread>

namespace porvel {

void SystemClock::SleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace porvel

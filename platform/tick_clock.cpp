#include "platform/tick_clock.h"

#include <chrono>
#include <thread>

uint32_t SystemTickClock::Ticks()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
}

void SystemTickClock::Sleep(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

SystemTickClock& SystemTickClock::Instance()
{
    static SystemTickClock clock;
    return clock;
}

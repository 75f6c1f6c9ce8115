#pragma once
#include "platform/tick_clock.h"

#include <atomic>

// A tick counter that moves only when told to: Sleep and Advance add to it.
class FakeTickClock : public TickClock
{
public:
    explicit FakeTickClock(uint32_t start = 1000) : m_now(start) {}
    uint32_t Ticks() override { return m_now; }
    void Sleep(int ms) override
    {
        m_slept += ms;
        m_now += static_cast<uint32_t>(ms);
    }
    void Advance(uint32_t ms) { m_now += ms; }
    void Set(uint32_t now) { m_now = now; }
    // Milliseconds asked for through Sleep.
    long Slept() const { return m_slept; }

private:
    std::atomic<uint32_t> m_now;
    std::atomic<long> m_slept{0};
};

#pragma once
#include <cstdint>

// A millisecond tick counter that wraps at 2^32 (as the system's tick count
// does) and a pause. Code that waits or measures time takes one of these, so
// tests can replace both.
class TickClock
{
public:
    virtual ~TickClock() = default;
    virtual uint32_t Ticks() = 0;
    virtual void Sleep(int ms) = 0;
};

// The steady clock of the system, cut to 32 bits; Sleep blocks the thread.
class SystemTickClock : public TickClock
{
public:
    uint32_t Ticks() override;
    void Sleep(int ms) override;

    // One instance for the whole program.
    static SystemTickClock& Instance();
};

#include "platform/local_clock.h"

namespace {
std::function<QDateTime()> g_clock;
}

QDateTime LocalClock::Now()
{
    return g_clock ? g_clock() : QDateTime::currentDateTime();
}

void LocalClock::Set(std::function<QDateTime()> clock)
{
    g_clock = std::move(clock);
}

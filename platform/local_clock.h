#pragma once
#include <QDateTime>
#include <functional>

// The local wall clock. Tests install a clock of their own.
namespace LocalClock {
// The local date and time now.
QDateTime Now();
// Replaces the clock; nullptr restores the system clock.
void Set(std::function<QDateTime()> clock);
} // namespace LocalClock

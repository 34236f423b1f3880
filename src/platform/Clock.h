#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Time and waiting as the long-running work of the program sees them: a millisecond tick counter
// that wraps at 2^32, a blocking sleep, and one pass over the pending events. Everything that
// waits goes through CurrentClock(), so tests can swap in a FakeClock and never wait in real time.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start, wrapping at 2^32. Compute durations as
    // `uint32_t(now - start)`, which stays right across one wrap.
    virtual uint32_t TickCount() = 0;
    // Blocks for the given milliseconds without handling events; negative counts as 0.
    virtual void Sleep(int milliseconds) = 0;
    // Handles the events that are pending now, once, without waiting for new ones. (The system
    // clock idles for a millisecond when there were none, so that waiting loops do not spin.)
    virtual void PumpEvents() = 0;
};

// Milliseconds from start to now on a wrapping counter.
inline uint32_t TicksSince(uint32_t start, uint32_t now)
{
    return now - start;
}

// The steady system clock and the application's event loop.
class SystemClock : public Clock {
public:
    uint32_t TickCount() override;
    void Sleep(int milliseconds) override;
    void PumpEvents() override;
};

// A clock for tests. Time moves only when the test says so: Sleep adds its milliseconds at once,
// each PumpEvents adds PumpStep milliseconds (0 unless set), Advance adds any amount. PumpEvents
// still handles the real pending events, so network replies and timers keep arriving.
class FakeClock : public Clock {
public:
    explicit FakeClock(uint32_t start = 0) : now(start) {}

    uint32_t TickCount() override { return now; }
    void Sleep(int milliseconds) override;
    void PumpEvents() override;

    void Advance(uint32_t milliseconds) { now += milliseconds; }
    void SetPumpStep(uint32_t milliseconds) { pumpStep = milliseconds; }

    int PumpCount() const { return pumps; }
    // The duration of every Sleep so far, in call order.
    const std::vector<int> &Sleeps() const { return sleepLog; }
    // For every Sleep so far, how many pumps came since the previous Sleep (or the start).
    const std::vector<int> &PumpsBeforeSleeps() const { return pumpsBeforeSleepLog; }

private:
    uint32_t now;
    uint32_t pumpStep = 0;
    int pumps = 0;
    int pumpsSinceSleep = 0;
    std::vector<int> sleepLog;
    std::vector<int> pumpsBeforeSleepLog;
};

// The clock everything waits on; the system clock unless one has been set.
Clock &CurrentClock();
// Makes the given clock current (not owned); nullptr restores the system clock.
void SetClock(Clock *clock);

// Sets a clock for the life of a scope and puts the previous one back afterwards.
class ScopedClock {
public:
    explicit ScopedClock(Clock &clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock &) = delete;
    ScopedClock &operator=(const ScopedClock &) = delete;

private:
    Clock *previous;
};

}  // namespace platform

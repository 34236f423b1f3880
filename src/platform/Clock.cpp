#include "platform/Clock.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <chrono>

namespace platform {

uint32_t SystemClock::TickCount()
{
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

void SystemClock::Sleep(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void SystemClock::PumpEvents()
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher)
        return;
    // Waiting loops pump back to back; when nothing was pending, give the processor away for a
    // millisecond rather than spin at full load for as long as a page takes.
    if (!dispatcher->processEvents(QEventLoop::AllEvents))
        QThread::msleep(1);
}

void FakeClock::Sleep(int milliseconds)
{
    int ms = milliseconds > 0 ? milliseconds : 0;
    sleepLog.push_back(ms);
    pumpsBeforeSleepLog.push_back(pumpsSinceSleep);
    pumpsSinceSleep = 0;
    now += static_cast<uint32_t>(ms);
}

void FakeClock::PumpEvents()
{
    ++pumps;
    ++pumpsSinceSleep;
    QCoreApplication::processEvents();
    now += pumpStep;
}

namespace {
SystemClock systemClock;
Clock *current = nullptr;
}  // namespace

Clock &CurrentClock()
{
    return current ? *current : systemClock;
}

void SetClock(Clock *clock)
{
    current = clock;
}

ScopedClock::ScopedClock(Clock &clock) : previous(current)
{
    current = &clock;
}

ScopedClock::~ScopedClock()
{
    current = previous;
}

}  // namespace platform

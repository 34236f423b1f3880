#pragma once

#include "platform/ControlError.h"

namespace lynx {

// Runs an event handler's work so that a control error never reaches Qt's event loop: the
// handler's work stops where it failed, and the event counts as handled.
template <class F>
void Guarded(F &&work) noexcept
{
    try {
        work();
    } catch (const platform::ControlError &) {
    }
}

}  // namespace lynx

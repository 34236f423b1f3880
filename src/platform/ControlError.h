#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

// Numbered errors the controls raise to their caller for bad arguments; the number is what
// callers test, the text is only for diagnostics.
enum ControlErrorNumber : int {
    ErrOverflow = 6,
    ErrSubscriptOutOfRange = 9,
    ErrInvalidPropertyValue = 380,
    ErrPropertyCannotBeSetAtRunTime = 382,
    ErrPropertyCannotBeSet = 387,
};

class ControlError : public std::runtime_error {
public:
    explicit ControlError(int number, const QString &description = QString());
    int Number() const noexcept { return number; }

private:
    int number;
};

// Runs work so that a control error stops it where it failed and goes no further: the work of
// an event handler, whose errors must not reach Qt's event loop, or a step that may be skipped.
template <class F>
void IgnoringControlErrors(F &&work)
{
    try {
        work();
    } catch (const ControlError &) {
    }
}

// Throws error 6 unless value fits a signed 16-bit integer; returns it narrowed.
short CheckedInt16(long long value);

}  // namespace platform

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

// Throws error 6 unless value fits a signed 16-bit integer; returns it narrowed.
short CheckedInt16(long long value);

}  // namespace platform

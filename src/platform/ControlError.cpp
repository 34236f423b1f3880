#include "platform/ControlError.h"

#include <limits>

namespace platform {

namespace {
QString DefaultDescription(int number)
{
    switch (number) {
        case ErrOverflow:
            return QStringLiteral("Overflow");
        case ErrSubscriptOutOfRange:
            return QStringLiteral("Subscript out of range");
        case ErrInvalidPropertyValue:
            return QStringLiteral("Invalid property value");
        case ErrPropertyCannotBeSetAtRunTime:
            return QStringLiteral("Property cannot be set at run time");
        case ErrPropertyCannotBeSet:
            return QStringLiteral("Property cannot be set");
        default:
            return QStringLiteral("Control error %1").arg(number);
    }
}
}  // namespace

ControlError::ControlError(int number, const QString &description)
    : std::runtime_error(
          (description.isEmpty() ? DefaultDescription(number) : description).toStdString()),
      number(number)
{
}

short CheckedInt16(long long value)
{
    if (value < std::numeric_limits<short>::min() || value > std::numeric_limits<short>::max())
        throw ControlError(ErrOverflow);
    return static_cast<short>(value);
}

}  // namespace platform

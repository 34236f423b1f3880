#pragma once

#include <QVariant>

namespace platform {

// Whether a variant holds an integer of any width (char types included, bool not).
bool HoldsWholeNumber(const QVariant &v);
// Whether a variant holds a float or a double.
bool HoldsFloatingNumber(const QVariant &v);
// Either of the two: a value the controls take as a number rather than as a text or key.
inline bool HoldsNumber(const QVariant &v)
{
    return HoldsWholeNumber(v) || HoldsFloatingNumber(v);
}

}  // namespace platform

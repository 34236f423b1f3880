// The number parse on any text: never a crash, never an infinity or NaN, and what the database
// writes of the number reads back to it within 15 significant digits.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "platform/NumberFormat.h"
#include "store/MdlHelpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const double value = MdlHelpers::ParseLeadingNumber(text);
    if (!std::isfinite(value))
        std::abort();
    const double back = MdlHelpers::ParseLeadingNumber(platform::FormatGeneralNumber(value));
    if (std::fabs(back - value) > std::fabs(value) * 1e-14)
        std::abort();
    return 0;
}

#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace platform {

void InstallFontSubstitutes()
{
    // Liberation Sans has the metrics of Arial; the bitmap "MS Sans Serif" was drawn to the
    // same widths at 8 pt. DejaVu Sans stands in when Liberation is missing.
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("DejaVu Sans")};
    // Substitutes already listed are not added again.
    for (const char *classic : {"MS Sans Serif", "Microsoft Sans Serif", "Arial"})
        QFont::insertSubstitutions(QString::fromLatin1(classic), sans);
}

}  // namespace platform

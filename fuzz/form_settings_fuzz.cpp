// The saved form settings reader on any text: never a crash, and what it writes reads back to
// the same settings.
#include <cstdint>
#include <cstdlib>

#include <QGuiApplication>
#include <QString>

#include "platform/FormSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Fonts and pictures in the settings need a GUI application (offscreen is enough).
    static int argc = 1;
    static char name[] = "form_settings_fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString written = platform::FormSettings::Parse(text).ToText();
    if (platform::FormSettings::Parse(written).ToText() != written)
        std::abort();
    return 0;
}

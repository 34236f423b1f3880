// zentrin-render-icons OUT SIZE...: writes the program's logo as OUT/SIZExSIZE/NAME.png for the
// desktop's icon theme, drawn by the same code as the logo in the window.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "app/Artwork.h"

int main(int argc, char **argv)
{
    // No display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: zentrin-render-icons OUT SIZE...\n");
        return 2;
    }
    for (const QString &text : arguments.mid(2)) {
        bool ok = false;
        const int side = text.toInt(&ok);
        const QString folder = arguments[1] + QStringLiteral("/%1x%1").arg(side);
        if (!ok || side < 16 || !QDir().mkpath(folder) ||
            !Artwork::Logo(side).save(folder + QStringLiteral("/com.vozaz.zentrin.png"))) {
            std::fprintf(stderr, "zentrin-render-icons: cannot write the %s icon\n",
                         qPrintable(text));
            return 1;
        }
    }
    return 0;
}

// Zentrin: the program starts with its splash window, which hands over to the main window.
#include <QApplication>
#include <memory>

#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "platform/FontSubstitutes.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrin"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    platform::InstallFontSubstitutes();

    // Outlives every event handler: an update run pumps events from inside one until it ends.
    std::unique_ptr<frmMain> mainWindow;
    frmSplash splash([&mainWindow]() -> QWidget * {
        mainWindow = std::make_unique<frmMain>();
        // The update reminder comes up once the splash window has gone.
        mainWindow->HoldActivation();
        return mainWindow.get();
    });
    QObject::connect(&splash, &frmSplash::Finished, [&mainWindow] {
        if (mainWindow)
            mainWindow->ReleaseActivation();
    });
    splash.show();
    return app.exec();
}

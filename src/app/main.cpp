// Zentrin: the window starts with its splash window, which hands over to the main window.
// --help, --version and --update need no display: they make no window at all.
#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <memory>

#include "BuildDescription.h"  // generated: ZENTRIN_BUILD_DESCRIPTION
#include "app/Artwork.h"
#include "app/CommandLine.h"
#include "app/PageFetcher.h"
#include "app/Prompts.h"
#include "app/ScreenerAddress.h"
#include "app/UpdateCommand.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "platform/FontSubstitutes.h"
#include "store/DataFolder.h"

namespace {

void PrintLine(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

// The options stand for the environment variables the program has always read.
void Apply(const CommandLine &line)
{
    if (!line.ScreenerUrl.isEmpty())
        qputenv(ScreenerAddress::EnvironmentVariable, line.ScreenerUrl.toUtf8());
    if (line.SettleMs)
        qputenv(PageFetcher::SettleEnvironmentVariable, QByteArray::number(*line.SettleMs));
}

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Zentrin"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
}

int RunWithoutWindow(int argc, char **argv, const CommandLine &line)
{
    QCoreApplication app(argc, argv);
    NameApplication();
    const DataFolder::Choice folder = DataFolder::Choose(line.DataDir);
    if (line.Mode == CommandMode::Help) {
        std::fputs(HelpText(DataFolder::Describe(folder)).toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!DataFolder::Use(folder)) {
        PrintLine(stderr, QStringLiteral("zentrin: the data folder %1 cannot be made.")
                              .arg(QDir::toNativeSeparators(folder.Path)));
        return UpdateCommand::NotUpdated;
    }
    UpdateCommand command(
        line.ImportIncomplete ? UpdateCommand::Incomplete::Import
                              : UpdateCommand::Incomplete::Decline,
        isatty(STDERR_FILENO) ? UpdateCommand::Output::InPlace : UpdateCommand::Output::Lines);
    return command.Run();
}

int RunWindow(int argc, char **argv, const CommandLine &line)
{
    QApplication app(argc, argv);
    NameApplication();
    // Ties the window to its menu entry and icon on the desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.vozaz.zentrin"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(Artwork::Logo(256))));
    platform::InstallFontSubstitutes();
    const DataFolder::Choice folder = DataFolder::Choose(line.DataDir);
    if (!DataFolder::Use(folder)) {
        ShowWarning(QStringLiteral("Zentrin cannot keep its stock data in %1: the folder cannot "
                                   "be made.")
                        .arg(QDir::toNativeSeparators(folder.Path)));
        return 1;
    }

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

}  // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = ParseCommandLine(arguments);
    if (!line.Error.isEmpty()) {
        PrintLine(stderr, QStringLiteral("zentrin: ") + line.Error +
                              QStringLiteral(" (zentrin --help lists the options)"));
        return BadCommandLineStatus;
    }
    if (line.Mode == CommandMode::Version) {
        PrintLine(stdout, VersionText(QStringLiteral(ZENTRIN_BUILD_DESCRIPTION)));
        return 0;
    }
    // A folder the user names must be one we can use, before anything starts.
    if (line.Mode != CommandMode::Help && !line.DataDir.isEmpty() &&
        !DataFolder::Use(DataFolder::Choose(line.DataDir, {}, {}))) {
        PrintLine(stderr, QStringLiteral("zentrin: --data-dir \"%1\" is no folder that can be "
                                         "made or used.")
                              .arg(line.DataDir));
        return BadCommandLineStatus;
    }
    Apply(line);
    return line.Mode == CommandMode::Window ? RunWindow(argc, argv, line)
                                            : RunWithoutWindow(argc, argv, line);
}

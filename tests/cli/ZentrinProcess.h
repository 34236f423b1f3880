#pragma once

// The built program started as a timer or a terminal without a desktop starts it. Waiting pumps
// this process's events, so a screener simulator started here answers the program meanwhile.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>

namespace zentrintest {

struct ProgramResult {
    int Status = -1;  // -1: it did not end in time, or did not end by itself
    QString Out;
    QString Err;
};

inline std::unique_ptr<QProcess> StartZentrin(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                             "ZENTRIN_SCREENER_URL", "ZENTRIN_SETTLE_MS"})
        environment.remove(QString::fromLatin1(name));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(ZENTRIN_EXECUTABLE), arguments);
    process->waitForStarted();
    return process;
}

// Pumps events until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()> &condition, int ms)
{
    return QTest::qWaitFor(condition, ms);
}

inline ProgramResult Finish(QProcess &process, int ms = 120000)
{
    ProgramResult result;
    if (WaitFor([&] { return process.state() == QProcess::NotRunning; }, ms) &&
        process.exitStatus() == QProcess::NormalExit)
        result.Status = process.exitCode();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    result.Out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.Err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

inline ProgramResult RunZentrin(const QStringList &arguments)
{
    const std::unique_ptr<QProcess> process = StartZentrin(arguments);
    return Finish(*process);
}

}  // namespace zentrintest

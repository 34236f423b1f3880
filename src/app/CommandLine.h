#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for: the window (the default), the help, the version, or the
// update without a window; and where the data and the screener are.
enum class CommandMode { Window, Help, Version, Update };

struct CommandLine {
    CommandMode Mode = CommandMode::Window;
    QString DataDir;              // --data-dir; empty when not given
    QString ScreenerUrl;          // --screener-url; empty when not given
    std::optional<int> SettleMs;  // --settle-ms, 0 to 1000
    bool ImportIncomplete = false;
    // One line for a bad option, a malformed address or a bad number; empty for a good line.
    QString Error;
};

// The exit status for a command line that cannot be followed.
inline constexpr int BadCommandLineStatus = 2;

// Reads the arguments (the program's name first), with QCommandLineParser::parse: a bad option
// is an Error, never an exit. Options Qt's window system reads itself (-platform, -style, ...)
// pass unremarked.
CommandLine ParseCommandLine(const QStringList &arguments);

// The --help text, ending with the folder the data lives in. Needs the application object.
QString HelpText(const QString &dataFolder);

// "Zentrin 2.0 (v2.0-14-g1a2b3c4)": the version and the build's git description.
QString VersionText(const QString &buildDescription);

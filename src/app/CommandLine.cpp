#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QUrl>
#include <vector>

#include "app/PageFetcher.h"

namespace {

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows these options and the data folder, then ends.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows the version, then ends.")};
    QCommandLineOption update{
        QStringLiteral("update"),
        QStringLiteral("Updates the stock data without a window (for a timer), then ends. Exit "
                       "status 0: updated; 1: not updated; 3: another Zentrin is updating the "
                       "same data folder.")};
    QCommandLineOption importIncomplete{
        QStringLiteral("import-incomplete"),
        QStringLiteral("With --update: imports the pages that came when some could not be "
                       "downloaded (otherwise nothing is replaced).")};
    QCommandLineOption dataDir{QStringLiteral("data-dir"),
                               QStringLiteral("Keeps data.dat, time.txt and the page files in "
                                              "<folder>."),
                               QStringLiteral("folder")};
    QCommandLineOption screenerUrl{
        QStringLiteral("screener-url"),
        QStringLiteral("The stock screener's site, e.g. http://127.0.0.1:8080 (as the "
                       "environment variable ZENTRIN_SCREENER_URL)."),
        QStringLiteral("url")};
    QCommandLineOption settleMs{
        QStringLiteral("settle-ms"),
        QStringLiteral("The wait after every page, 0 to 1000 milliseconds (1000 unless given; as "
                       "ZENTRIN_SETTLE_MS)."),
        QStringLiteral("ms")};

    // Read by Qt's window system before us; accepted so that they do not count as unknown.
    std::vector<QCommandLineOption> windowSystem;

    Options()
    {
        for (const char *name : {"platform", "style", "stylesheet", "qwindowgeometry",
                                 "qwindowtitle", "qwindowicon", "platformtheme", "display"})
            windowSystem.emplace_back(QString::fromLatin1(name), QString(),
                                      QStringLiteral("value"));
        for (const char *name : {"reverse", "nograb", "dograb", "widgetcount"})
            windowSystem.emplace_back(QString::fromLatin1(name), QString());
        for (QCommandLineOption &option : windowSystem)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
    }

    void AddTo(QCommandLineParser &parser) const
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(QStringLiteral(
            "Zentrin keeps a list of every stock the screener reports from $0 to $5 and\n"
            "lists the ones in a price range. Without options it opens its window."));
        for (const QCommandLineOption *option :
             {&help, &version, &update, &importIncomplete, &dataDir, &screenerUrl, &settleMs})
            parser.addOption(*option);
        for (const QCommandLineOption &option : windowSystem) parser.addOption(option);
    }
};

bool IsScreenerSite(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty() && !url.hasQuery() && !url.hasFragment();
}

}  // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    const Options options;
    QCommandLineParser parser;
    options.AddTo(parser);
    CommandLine line;
    if (!parser.parse(arguments)) {
        line.Error = parser.errorText();
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.Error = QStringLiteral("Unexpected argument '%1'.")
                         .arg(parser.positionalArguments().constFirst());
        return line;
    }
    line.Mode = parser.isSet(options.help)      ? CommandMode::Help
                : parser.isSet(options.version) ? CommandMode::Version
                : parser.isSet(options.update)  ? CommandMode::Update
                                                : CommandMode::Window;
    line.ImportIncomplete = parser.isSet(options.importIncomplete);
    if (line.ImportIncomplete && line.Mode == CommandMode::Window) {
        line.Error = QStringLiteral("--import-incomplete goes with --update.");
        return line;
    }
    if (parser.isSet(options.dataDir)) {
        line.DataDir = parser.value(options.dataDir);
        if (line.DataDir.trimmed().isEmpty()) {
            line.Error = QStringLiteral("--data-dir needs a folder.");
            return line;
        }
    }
    if (parser.isSet(options.screenerUrl)) {
        line.ScreenerUrl = parser.value(options.screenerUrl).trimmed();
        if (!IsScreenerSite(line.ScreenerUrl)) {
            line.Error = QStringLiteral(
                             "--screener-url \"%1\" is not an http:// or https:// address of a "
                             "site.")
                             .arg(parser.value(options.screenerUrl));
            return line;
        }
    }
    if (parser.isSet(options.settleMs)) {
        bool number = false;
        const int ms = parser.value(options.settleMs).trimmed().toInt(&number);
        const int most = PageFetcher::SettleRounds * PageFetcher::SettleSleepMs;
        if (!number || ms < 0 || ms > most) {
            line.Error = QStringLiteral(
                             "--settle-ms \"%1\" is not a whole number of milliseconds "
                             "from 0 to %2.")
                             .arg(parser.value(options.settleMs))
                             .arg(most);
            return line;
        }
        line.SettleMs = ms;
    }
    return line;
}

QString HelpText(const QString &dataFolder)
{
    const Options options;
    QCommandLineParser parser;
    options.AddTo(parser);
    return parser.helpText() + QStringLiteral("\nData folder: ") + dataFolder +
           QStringLiteral(
               "\n  Beside the program when its folder holds data.dat or zentrin.portable,\n"
               "  otherwise in your application data; --data-dir chooses another.\n");
}

QString VersionText(const QString &buildDescription)
{
    const QString version = QStringLiteral("Zentrin 2.0");
    return buildDescription.isEmpty()
               ? version
               : version + QStringLiteral(" (") + buildDescription + QLatin1Char(')');
}

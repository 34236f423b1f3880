#pragma once

#include <QString>
#include <QWidget>

#include "web/PageLoader.h"

namespace web {

// The embedded browser of the main window. It shows nothing: the page loader inside it does the
// work, and the browser reports its completions as its own.
class WebBrowser : public QWidget {
    Q_OBJECT

public:
    static constexpr int NoReadFromCache = PageLoader::NoReadFromCache;
    static constexpr int NoWriteToCache = PageLoader::NoWriteToCache;

    explicit WebBrowser(QWidget *parent = nullptr);

    void Navigate(const QString &address, int flags = 0) { loader.Navigate(address, flags); }
    const HtmlDocument *Document() const { return loader.Document(); }
    bool Busy() const { return loader.Busy(); }
    int LastStatus() const { return loader.LastStatus(); }
    const QByteArray &LastRetryAfter() const { return loader.LastRetryAfter(); }

    PageLoader &Loader() { return loader; }

signals:
    // A document finished loading; frame is the browser itself (there are no frames).
    void DocumentComplete(QObject *frame, QString &address);

private:
    PageLoader loader;
};

}  // namespace web

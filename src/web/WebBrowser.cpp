#include "web/WebBrowser.h"

namespace web {

WebBrowser::WebBrowser(QWidget *parent) : QWidget(parent)
{
    connect(
        &loader, &PageLoader::DocumentComplete, this,
        [this](QObject *, QString &address) { emit DocumentComplete(this, address); },
        Qt::DirectConnection);
}

}  // namespace web

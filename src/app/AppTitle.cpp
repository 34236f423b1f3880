#include "app/AppTitle.h"

namespace {
QString &Title()
{
    static QString title = QStringLiteral("Zentrin");
    return title;
}
}  // namespace

QString AppTitle()
{
    return Title();
}
void SetAppTitle(const QString &title)
{
    Title() = title;
}

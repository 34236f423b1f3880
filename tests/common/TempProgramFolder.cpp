#include "TempProgramFolder.h"

#include <QFile>

#include "platform/ProgramFolder.h"

TempProgramFolder::TempProgramFolder()
{
    platform::SetProgramFolderOverride(dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    platform::SetProgramFolderOverride(QString());
}

QByteArray TempProgramFolder::ReadBytes(const QString &name) const
{
    QFile f(File(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempProgramFolder::WriteBytes(const QString &name, const QByteArray &bytes) const
{
    QFile f(File(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

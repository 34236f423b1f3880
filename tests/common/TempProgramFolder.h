#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the program folder at a fresh temporary folder for the lifetime of the object.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder &) = delete;
    TempProgramFolder &operator=(const TempProgramFolder &) = delete;

    QString Path() const { return dir.path(); }
    QString File(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }

    // Raw file access for tests that check bytes on disk.
    QByteArray ReadBytes(const QString &name) const;
    void WriteBytes(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir dir;
};

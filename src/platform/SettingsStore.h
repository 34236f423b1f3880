#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "platform/Colors.h"
#include "platform/NamedList.h"
#include "platform/Picture.h"

namespace platform {

// The keyed settings of one control, saved with its window. Keys match without regard to letter
// case; a value equal to its default is not stored, so a missing key stands for the default.
// Truth values are kept as -1 (true) and 0 (false). Value kinds: integers, colours (uint),
// doubles, texts, QFont and Picture.
class SettingsStore {
public:
    // The stored value of the key, or defaultValue when the key is absent.
    QVariant ReadProperty(const QString &key, const QVariant &defaultValue = QVariant()) const;
    // Stores the value under the key, replacing a value stored under any spelling of it; a value
    // equal to defaultValue (or an unassigned picture) removes the key instead.
    void WriteProperty(const QString &key, const QVariant &value,
                       const QVariant &defaultValue = QVariant());

    bool Contains(const QString &key) const { return entries.IndexOf(key) >= 0; }
    // The stored keys in the order they were first written, spelled as written.
    QStringList Keys() const;
    bool IsEmpty() const { return entries.IsEmpty(); }

    // Typed reads for the controls. A missing key, or a stored value of a kind that does not
    // convert (or does not fit), gives the default.
    bool ReadBool(const QString &key, bool defaultValue) const;
    int ReadInt(const QString &key, int defaultValue) const;
    short ReadInt16(const QString &key, short defaultValue) const;
    ColorValue ReadColor(const QString &key, ColorValue defaultValue) const;
    QString ReadText(const QString &key, const QString &defaultValue) const;
    QFont ReadFont(const QString &key, const QFont &defaultValue) const;
    // An unassigned picture ("none") when the key is absent.
    Picture ReadPicture(const QString &key) const;

    // Typed writes matching the reads; truth values go in as -1 / 0.
    void WriteBool(const QString &key, bool value, bool defaultValue);
    void WriteInt(const QString &key, qint64 value, qint64 defaultValue);
    void WriteColor(const QString &key, ColorValue value, ColorValue defaultValue);
    void WriteText(const QString &key, const QString &value, const QString &defaultValue);
    void WriteFont(const QString &key, const QFont &value, const QFont &defaultValue);
    // A picture's default is always "none": any assigned picture, even an empty one, is stored.
    void WritePicture(const QString &key, const Picture &value);

    bool operator==(const SettingsStore &other) const;

private:
    // The stored whole number when it lies in [lowest, highest], else the default.
    qint64 ReadWholeNumber(const QString &key, qint64 lowest, qint64 highest,
                           qint64 defaultValue) const;
    NamedList<QVariant> entries;
};

// Values as the store keeps them: truth values as -1 / 0, an unassigned picture as no value.
QVariant NormalizedSetting(const QVariant &value);
// Equality of two settings values after normalising; integers of different widths compare by
// value.
bool SameSetting(const QVariant &a, const QVariant &b);

}  // namespace platform

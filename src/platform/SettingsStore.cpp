#include "platform/SettingsStore.h"

#include <cmath>
#include <limits>

#include "platform/Rounding.h"
#include "platform/VariantNumbers.h"

namespace platform {

namespace {

// The stored value as a whole number, when it is one (doubles round half to even).
bool WholeNumber(const QVariant &v, qint64 &out)
{
    if (v.typeId() == QMetaType::Bool) {
        out = v.toBool() ? -1 : 0;
        return true;
    }
    if (v.typeId() == QMetaType::ULongLong) {
        const qulonglong u = v.toULongLong();
        if (u > static_cast<qulonglong>(std::numeric_limits<qint64>::max()))
            return false;
        out = static_cast<qint64>(u);
        return true;
    }
    if (HoldsWholeNumber(v)) {
        out = v.toLongLong();
        return true;
    }
    if (HoldsFloatingNumber(v)) {
        const double d = RoundHalfEven(v.toDouble());
        if (!std::isfinite(d) || d < -9.2e18 || d > 9.2e18)
            return false;
        out = static_cast<qint64>(d);
        return true;
    }
    return false;
}

}  // namespace

QVariant NormalizedSetting(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return QVariant(value.toBool() ? -1 : 0);
    if (value.canConvert<Picture>() && value.typeId() == qMetaTypeId<Picture>() &&
        !value.value<Picture>().IsAssigned())
        return QVariant();
    return value;
}

bool SameSetting(const QVariant &a, const QVariant &b)
{
    const QVariant na = NormalizedSetting(a), nb = NormalizedSetting(b);
    if (!na.isValid() || !nb.isValid())
        return na.isValid() == nb.isValid();
    if (HoldsWholeNumber(na) && HoldsWholeNumber(nb)) {
        qint64 x, y;
        if (WholeNumber(na, x) && WholeNumber(nb, y))
            return x == y;
        return na.toULongLong() == nb.toULongLong();
    }
    if (HoldsNumber(na) && HoldsNumber(nb))
        return na.toDouble() == nb.toDouble();
    if (na.typeId() != nb.typeId())
        return false;
    return na == nb;
}

QVariant SettingsStore::ReadProperty(const QString &key, const QVariant &defaultValue) const
{
    const QVariant *stored = entries.Find(key);
    return stored ? *stored : defaultValue;
}

void SettingsStore::WriteProperty(const QString &key, const QVariant &value,
                                  const QVariant &defaultValue)
{
    const QVariant stored = NormalizedSetting(value);
    if (!stored.isValid() || SameSetting(stored, defaultValue))
        entries.Remove(key);
    else
        entries.FindOrAppend(key) = stored;
}

QStringList SettingsStore::Keys() const
{
    return entries.Names();
}

bool SettingsStore::ReadBool(const QString &key, bool defaultValue) const
{
    qint64 n;
    const QVariant v = ReadProperty(key);
    return WholeNumber(v, n) ? n != 0 : defaultValue;
}

int SettingsStore::ReadInt(const QString &key, int defaultValue) const
{
    return static_cast<int>(ReadWholeNumber(key, std::numeric_limits<int>::min(),
                                            std::numeric_limits<int>::max(), defaultValue));
}

short SettingsStore::ReadInt16(const QString &key, short defaultValue) const
{
    return static_cast<short>(ReadWholeNumber(key, std::numeric_limits<short>::min(),
                                              std::numeric_limits<short>::max(), defaultValue));
}

ColorValue SettingsStore::ReadColor(const QString &key, ColorValue defaultValue) const
{
    // Colours are 32 bits either way round: 0x80000012 and -2147483630 name the same one.
    return static_cast<ColorValue>(ReadWholeNumber(key, std::numeric_limits<qint32>::min(),
                                                   std::numeric_limits<quint32>::max(),
                                                   defaultValue));
}

qint64 SettingsStore::ReadWholeNumber(const QString &key, qint64 lowest, qint64 highest,
                                      qint64 defaultValue) const
{
    qint64 n;
    if (!WholeNumber(ReadProperty(key), n) || n < lowest || n > highest)
        return defaultValue;
    return n;
}

QString SettingsStore::ReadText(const QString &key, const QString &defaultValue) const
{
    const QVariant v = ReadProperty(key);
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    if (HoldsNumber(v))
        return v.toString();
    return defaultValue;
}

QFont SettingsStore::ReadFont(const QString &key, const QFont &defaultValue) const
{
    const QVariant v = ReadProperty(key);
    return v.typeId() == QMetaType::QFont ? v.value<QFont>() : defaultValue;
}

Picture SettingsStore::ReadPicture(const QString &key) const
{
    const QVariant v = ReadProperty(key);
    return v.typeId() == qMetaTypeId<Picture>() ? v.value<Picture>() : Picture();
}

void SettingsStore::WriteBool(const QString &key, bool value, bool defaultValue)
{
    WriteProperty(key, QVariant(value ? -1 : 0), QVariant(defaultValue ? -1 : 0));
}

void SettingsStore::WriteInt(const QString &key, qint64 value, qint64 defaultValue)
{
    const bool fits =
        value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
    WriteProperty(key, fits ? QVariant(static_cast<int>(value)) : QVariant(value),
                  QVariant(defaultValue));
}

void SettingsStore::WriteColor(const QString &key, ColorValue value, ColorValue defaultValue)
{
    WriteProperty(key, QVariant(static_cast<uint>(value)),
                  QVariant(static_cast<uint>(defaultValue)));
}

void SettingsStore::WriteText(const QString &key, const QString &value, const QString &defaultValue)
{
    WriteProperty(key, QVariant(value), QVariant(defaultValue));
}

void SettingsStore::WriteFont(const QString &key, const QFont &value, const QFont &defaultValue)
{
    WriteProperty(key, QVariant(value), QVariant(defaultValue));
}

void SettingsStore::WritePicture(const QString &key, const Picture &value)
{
    WriteProperty(key, QVariant::fromValue(value));
}

bool SettingsStore::operator==(const SettingsStore &other) const
{
    if (entries.Size() != other.entries.Size())
        return false;
    for (const QString &key : entries.Names()) {
        const QVariant *theirs = other.entries.Find(key);
        if (!theirs || !SameSetting(*entries.Find(key), *theirs))
            return false;
    }
    return true;
}

}  // namespace platform

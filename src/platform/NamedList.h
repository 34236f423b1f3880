#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// Values kept under names that match without regard to letter case, in the order their names
// were first added and spelled as they were then.
template <typename T>
class NamedList {
public:
    // The position of the name, or -1.
    int IndexOf(const QString &name) const
    {
        for (int i = 0; i < entries.size(); ++i)
            if (entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    // The value under the name, or nullptr.
    const T *Find(const QString &name) const
    {
        const int i = IndexOf(name);
        return i < 0 ? nullptr : &entries[i].value;
    }
    // The value under the name, appended as T() when the name is new. The reference is good
    // until the next name is appended or removed.
    T &FindOrAppend(const QString &name)
    {
        const int i = IndexOf(name);
        if (i >= 0)
            return entries[i].value;
        entries.append({name, T()});
        return entries.last().value;
    }
    void Remove(const QString &name)
    {
        const int i = IndexOf(name);
        if (i >= 0)
            entries.removeAt(i);
    }

    QStringList Names() const
    {
        QStringList names;
        for (const Entry &e : entries) names.append(e.name);
        return names;
    }
    qsizetype Size() const { return entries.size(); }
    bool IsEmpty() const { return entries.isEmpty(); }

private:
    struct Entry {
        QString name;
        T value;
    };
    QList<Entry> entries;
};

}  // namespace platform

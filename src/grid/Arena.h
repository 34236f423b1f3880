#pragma once

#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <vector>

#include "platform/ControlError.h"

// A pool of values handed out as (offset, length) references, for the many small runs a grid
// holds (the texts of its cells, the cells of its items). Appending is amortised; released runs
// are only counted, and the owner compacts the pool when they outweigh the live ones, because only
// the owner knows where the references are kept.
template <class T>
class Arena {
public:
    struct Ref {
        quint32 Offset = 0;
        quint32 Length = 0;
    };

    std::span<const T> View(Ref r) const { return {data.data() + r.Offset, r.Length}; }
    std::span<T> Span(Ref r) { return {data.data() + r.Offset, r.Length}; }

    // Appends n default values. Error 6 when the pool would outgrow 32-bit offsets.
    Ref Allocate(std::size_t n)
    {
        if (n == 0)
            return {};
        const Ref r = Reserve(n);
        data.resize(data.size() + n);
        return r;
    }

    // Appends a copy of values, which may lie inside this pool.
    Ref Append(std::span<const T> values)
    {
        if (values.empty())
            return {};
        if (Contains(values.data())) {
            const std::vector<T> copy(values.begin(), values.end());
            return Append(std::span<const T>(copy));
        }
        const Ref r = Reserve(values.size());
        data.insert(data.end(), values.begin(), values.end());
        return r;
    }

    // Keeps the first n values of r; the rest count as released.
    void Shorten(Ref &r, quint32 n)
    {
        if (n >= r.Length)
            return;
        if (n == 0) {
            Release(r);
            return;
        }
        released += r.Length - n;
        r.Length = n;
    }

    void Release(Ref &r)
    {
        released += r.Length;
        r = {};
    }

    std::size_t Size() const { return data.size(); }
    std::size_t Released() const { return released; }
    std::size_t Capacity() const { return data.capacity(); }

    // True when more than half of the pool is released runs (and enough of them to be worth a
    // pass), so that compaction costs amortised constant time per released value.
    bool WantsCompaction() const { return released >= MinReleased && released * 2 > data.size(); }

    // Moves every live run to a fresh pool in the order forEachRef visits them. forEachRef is
    // called with a callback that must be applied to every live reference exactly once.
    template <class ForEachRef>
    void Compact(ForEachRef forEachRef)
    {
        std::vector<T> packed;
        packed.reserve(data.size() - released);
        forEachRef([&](Ref &r) {
            if (r.Length == 0) {
                r = {};
                return;
            }
            const auto at = static_cast<quint32>(packed.size());
            packed.insert(packed.end(), data.begin() + r.Offset,
                          data.begin() + r.Offset + r.Length);
            r.Offset = at;
        });
        data.swap(packed);
        released = 0;
    }

    // Drops every value and gives the memory back.
    void Clear()
    {
        std::vector<T>().swap(data);
        released = 0;
    }

private:
    // About 32 KB of released values before a pass is worth it.
    static constexpr std::size_t MinReleased = 32768 / sizeof(T);

    bool Contains(const T *p) const
    {
        return !data.empty() && std::less_equal<const T *>()(data.data(), p) &&
               std::less<const T *>()(p, data.data() + data.size());
    }

    Ref Reserve(std::size_t n) const
    {
        if (n > std::numeric_limits<quint32>::max() - data.size())
            throw platform::ControlError(platform::ErrOverflow);
        return {static_cast<quint32>(data.size()), static_cast<quint32>(n)};
    }

    std::vector<T> data;
    std::size_t released = 0;
};

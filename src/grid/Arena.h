#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "grid/Segments.h"
#include "platform/ControlError.h"

namespace lynx {

// A pool of values handed out as (offset, length) references, for the many small runs a grid
// holds (the texts of its cells, the cells of its items). Growing never moves a run; released
// runs are only counted, and the owner compacts the pool when they outweigh the live ones,
// because only the owner knows where the references are kept. A reference stays valid until the
// pool is compacted or cleared.
// A run of values in an Arena.
struct PoolRef {
    quint32 Offset = 0;
    quint32 Length = 0;
};

template <class T>
class Arena {
public:
    using Ref = PoolRef;

    std::span<const T> View(Ref r) const
    {
        return {r.Length ? storage.At(r.Offset) : nullptr, r.Length};
    }
    std::span<T> Span(Ref r) { return {r.Length ? storage.At(r.Offset) : nullptr, r.Length}; }

    // Appends n default values. Error 6 when the pool would outgrow 32-bit offsets.
    Ref Allocate(std::size_t n)
    {
        if (n == 0)
            return {};
        const std::size_t at = Place(n);
        std::uninitialized_value_construct_n(storage.At(at), n);
        return {static_cast<quint32>(at), static_cast<quint32>(n)};
    }

    // Appends a copy of values, which may lie inside this pool: growing never moves a run, and
    // the new run lies past every live one, so the copy reads what it writes nowhere.
    Ref Append(std::span<const T> values)
    {
        if (values.empty())
            return {};
        const std::size_t at = Place(values.size());
        std::uninitialized_copy(values.begin(), values.end(), storage.At(at));
        return {static_cast<quint32>(at), static_cast<quint32>(values.size())};
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

    // Values handed out or lost to segment ends, live and released.
    std::size_t Used() const { return used; }
    std::size_t Released() const { return released; }
    std::size_t Capacity() const { return storage.Capacity(); }

    // True when more than half of the pool is released runs (and enough of them to be worth a
    // pass), so that compaction costs amortised constant time per released value.
    bool WantsCompaction() const { return released >= MinReleased && released * 2 > used; }

    // Moves every live run to a fresh pool in the order forEachRef visits them. forEachRef is
    // called with a callback that must be applied to every live reference exactly once.
    template <class ForEachRef>
    void Compact(ForEachRef forEachRef)
    {
        Arena packed;
        forEachRef([&](Ref &r) { r = packed.Append(View(r)); });
        std::swap(storage, packed.storage);
        end = packed.end;
        room = packed.room;
        used = packed.used;
        released = packed.released;
    }

    // Drops every value. A grid is mostly emptied to be filled again with about as much, so the
    // memory is kept for that unless the pool was mostly unused.
    void Clear()
    {
        if (used < storage.Capacity() / 4)
            storage.Release();
        end = 0;
        room = 0;
        used = 0;
        released = 0;
    }

private:
    // About 32 KB of released values before a pass is worth it.
    static constexpr std::size_t MinReleased = 32768 / sizeof(T);

    // Position for a run of n values: the next free one, or the start of the first segment after
    // it that holds n values, since a run never crosses a segment boundary.
    std::size_t Place(std::size_t n)
    {
        std::size_t at = end;
        if (n <= room - end) {
            end = at + n;
            used += n;
            return at;
        }
        int k = Segments<T>::SegmentOf(at);
        if (at + n > Segments<T>::Start(k + 1)) {
            // The tail of the current segment is lost; it counts as released so that a pool
            // that wastes much gets compacted.
            if (at > Segments<T>::Start(k)) {
                used += Segments<T>::Start(k + 1) - at;
                released += Segments<T>::Start(k + 1) - at;
            }
            do {
                ++k;
                at = Segments<T>::Start(k);
            } while (n > Segments<T>::SizeOf(k) && k < Segments<T>::MaxSegments);
        }
        if (at + n > std::numeric_limits<quint32>::max() || !storage.Reserve(at + n))
            throw platform::ControlError(platform::ErrOverflow);
        end = at + n;
        used += n;
        room =
            std::min<std::size_t>(Segments<T>::Start(k + 1), std::numeric_limits<quint32>::max());
        return at;
    }

    Segments<T> storage;
    std::size_t end = 0;  // next free position
    // End of the allocated segment that holds `end` (capped to 32-bit offsets), or 0 after a
    // clear: runs that fit below it need none of Place's checks.
    std::size_t room = 0;
    std::size_t used = 0;  // live plus released
    std::size_t released = 0;
};

}  // namespace lynx

#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace lynx {

// Storage for a growing run of plain values that never moves what it holds: segment k holds
// FirstSize * 2^k values, so that growing allocates one more segment and copies nothing, and the
// pages already written are never touched again. Element i lives in segment
// SegmentOf(i); a range of positions inside one segment is contiguous.
//
// Segments are raw memory: the owner constructs a value (placement new) before it reads it.
// Large segments ask the system for huge pages, which makes first touches of a big grid cheap.
template <class T>
class Segments {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "values are copied and dropped as raw memory");

public:
    static constexpr std::size_t FirstSize = 1024;
    static constexpr int MaxSegments = 23;  // room for more than 2^32 values

    Segments() = default;
    Segments(const Segments &) = delete;
    Segments &operator=(const Segments &) = delete;
    Segments(Segments &&other) noexcept { Swap(other); }
    Segments &operator=(Segments &&other) noexcept
    {
        Segments(std::move(other)).Swap(*this);
        return *this;
    }
    ~Segments() { Release(); }

    static constexpr std::size_t Start(int k) { return FirstSize * ((std::size_t{1} << k) - 1); }
    static constexpr std::size_t SizeOf(int k) { return FirstSize << k; }
    static int SegmentOf(std::size_t i) { return std::bit_width(i / FirstSize + 1) - 1; }

    T *At(std::size_t i)
    {
        const int k = SegmentOf(i);
        return blocks[static_cast<std::size_t>(k)] + (i - Start(k));
    }
    const T *At(std::size_t i) const { return const_cast<Segments *>(this)->At(i); }
    T &operator[](std::size_t i) { return *At(i); }
    const T &operator[](std::size_t i) const { return *At(i); }

    // First value of allocated segment k.
    const T *Block(int k) const { return blocks[static_cast<std::size_t>(k)]; }

    // Values the allocated segments hold.
    std::size_t Capacity() const { return Start(allocated); }
    int SegmentCount() const { return allocated; }

    // Allocates segments until position end - 1 exists. Returns false when that would take more
    // than MaxSegments. Throws std::bad_alloc when memory runs out.
    bool Reserve(std::size_t end)
    {
        while (Capacity() < end) {
            if (allocated == MaxSegments)
                return false;
            blocks[static_cast<std::size_t>(allocated)] = AllocateBlock(SizeOf(allocated));
            ++allocated;
        }
        return true;
    }

    void Release()
    {
        for (int k = 0; k < allocated; ++k) std::free(blocks[static_cast<std::size_t>(k)]);
        blocks = {};
        allocated = 0;
    }

    void Swap(Segments &other) noexcept
    {
        std::swap(blocks, other.blocks);
        std::swap(allocated, other.allocated);
    }

private:
    static constexpr std::size_t HugePage = std::size_t{2} << 20;

    static T *AllocateBlock(std::size_t count)
    {
        const std::size_t bytes = count * sizeof(T);
        void *p = nullptr;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (bytes >= HugePage && bytes % HugePage == 0) {
            p = std::aligned_alloc(HugePage, bytes);
            if (p)
                madvise(p, bytes, MADV_HUGEPAGE);  // only advice: failing changes nothing
        }
#endif
        if (!p)
            p = std::malloc(bytes);
        if (!p)
            throw std::bad_alloc();
        return static_cast<T *>(p);
    }

    std::array<T *, MaxSegments> blocks{};
    int allocated = 0;
};

}  // namespace lynx

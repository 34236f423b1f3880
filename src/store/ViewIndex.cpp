#include "store/ViewIndex.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cstring>

ViewIndex::ViewIndex(std::size_t expected) : seed(QRandomGenerator::global()->generate64())
{
    std::size_t capacity = 64;
    while (capacity < expected * 2) capacity *= 2;
    entries.resize(capacity);
}

int ViewIndex::InsertOrFind(std::string_view key, int value)
{
    if ((count + 1) * 2 > entries.size())
        Grow();
    const std::size_t hash = Hash(key);
    const std::size_t mask = entries.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot &slot = entries[i];
        if (slot.key.empty()) {
            slot = {key, hash, value};
            ++count;
            return -1;
        }
        if (slot.hash == hash && slot.key == key)
            return slot.value;
    }
}

// Sixteen bytes a step, folded by one 64 x 64 -> 128-bit multiplication; the seed differs from
// run to run, so that no file can be made to collide on purpose.
std::size_t ViewIndex::Hash(std::string_view key) const
{
    const auto fold = [](std::uint64_t a, std::uint64_t b) {
        const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
        return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
    };
    constexpr std::uint64_t Odd = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = seed ^ key.size();
    const char *p = key.data();
    const char *end = p + key.size();
    for (; end - p >= 16; p += 16) {
        std::uint64_t first, second;
        std::memcpy(&first, p, 8);
        std::memcpy(&second, p + 8, 8);
        h = fold(first ^ h, second ^ Odd);
    }
    std::uint64_t first = 0, second = 0;
    const std::size_t left = static_cast<std::size_t>(end - p);
    std::memcpy(&first, p, std::min<std::size_t>(left, 8));
    if (left > 8)
        std::memcpy(&second, p + 8, left - 8);
    h = fold(first ^ h, second ^ Odd);
    return static_cast<std::size_t>(fold(h, Odd ^ seed));
}

void ViewIndex::Grow()
{
    std::vector<Slot> old(entries.size() * 2);
    old.swap(entries);
    const std::size_t mask = entries.size() - 1;
    for (const Slot &slot : old) {
        if (slot.key.empty())
            continue;
        std::size_t i = slot.hash & mask;
        while (!entries[i].key.empty()) i = (i + 1) & mask;
        entries[i] = slot;
    }
}

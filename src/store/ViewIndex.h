#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Byte strings seen so far, each with a number (views into buffers that outlive the index):
// the load's distinct lines, and the first record of every symbol.
class ViewIndex {
public:
    explicit ViewIndex(std::size_t expected);

    // Adds the key with the value and returns -1; a key already there keeps its value, which is
    // returned. The key is never empty.
    int InsertOrFind(std::string_view key, int value);

private:
    std::size_t Hash(std::string_view key) const;
    void Grow();

    struct Slot {
        std::string_view key;
        std::size_t hash = 0;
        int value = 0;
    };

    const std::uint64_t seed;
    std::vector<Slot> entries;
    std::size_t count = 0;
};

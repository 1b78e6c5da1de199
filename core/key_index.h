// A hash table from 64-bit keys to non-negative values, for look-ups made once
// for each of many thousands of records (the criteria search asks several per
// object it tests): open addressing with linear probing, kept at most half
// full, so that a key that is not there usually costs one probe.
#pragma once

#include <cstdint>
#include <vector>

class KeyIndex {
public:
    // Forgets every key.
    void Clear();
    // Gives the key `value` (>= 0) unless the key is there already; true when it was added.
    bool Insert(uint64_t key, int value);
    // The key's value; -1 when the key is not there.
    int Find(uint64_t key) const;
    bool Contains(uint64_t key) const { return Find(key) >= 0; }
    int Size() const { return size_; }

private:
    std::size_t Slot(uint64_t key) const;
    void Grow();

    std::vector<uint64_t> keys_;
    std::vector<int> values_;  // -1 marks a free slot
    int size_ = 0;
    int shift_ = 64;
};

// One key of two 32-bit halves: a designation and a number, a source code and
// a row.
inline uint64_t PairKey(int32_t high, int32_t low) {
    return static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32 | static_cast<uint32_t>(low);
}

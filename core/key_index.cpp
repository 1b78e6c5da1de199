#include "core/key_index.h"

#include <utility>

namespace {

constexpr int kFirstBits = 4;

}  // namespace

void KeyIndex::Clear() {
    keys_.clear();
    values_.clear();
    size_ = 0;
    shift_ = 64;
}

// Fibonacci hashing: the top bits of the key times 2^64 / golden ratio.
std::size_t KeyIndex::Slot(uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
}

void KeyIndex::Grow() {
    const std::vector<uint64_t> keys = std::move(keys_);
    const std::vector<int> values = std::move(values_);
    const int bits = keys.empty() ? kFirstBits : 64 - shift_ + 1;
    shift_ = 64 - bits;
    keys_.assign(std::size_t{1} << bits, 0);
    values_.assign(std::size_t{1} << bits, -1);
    size_ = 0;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (values[i] >= 0) Insert(keys[i], values[i]);
}

bool KeyIndex::Insert(uint64_t key, int value) {
    if (2 * (static_cast<std::size_t>(size_) + 1) > keys_.size()) Grow();
    const std::size_t mask = keys_.size() - 1;
    for (std::size_t i = Slot(key);; i = (i + 1) & mask) {
        if (values_[i] < 0) {
            keys_[i] = key;
            values_[i] = value;
            ++size_;
            return true;
        }
        if (keys_[i] == key) return false;
    }
}

int KeyIndex::Find(uint64_t key) const {
    if (size_ == 0) return -1;
    const std::size_t mask = keys_.size() - 1;
    for (std::size_t i = Slot(key);; i = (i + 1) & mask) {
        if (values_[i] < 0) return -1;
        if (keys_[i] == key) return values_[i];
    }
}

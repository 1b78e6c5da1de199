// A growable array {element storage, capacity, count} as the shell keeps its
// registries and queues: capacity 10 at start; appending at index count grows
// the capacity to 2 x capacity + 1 (repeated until the index fits), the new
// storage zero-filled with the old elements copied; removing an element moves
// the last one into its place.
#pragma once

#include <cstddef>
#include <vector>

template <typename T>
class GrowableArray {
public:
    static constexpr int kInitialCapacity = 10;

    GrowableArray() : storage_(kInitialCapacity) {}

    int Count() const { return count_; }
    int Capacity() const { return static_cast<int>(storage_.size()); }
    const T& operator[](int i) const { return storage_[static_cast<std::size_t>(i)]; }
    T& operator[](int i) { return storage_[static_cast<std::size_t>(i)]; }

    void Append(const T& value) {
        std::size_t capacity = storage_.size();
        while (static_cast<std::size_t>(count_) >= capacity) capacity = 2 * capacity + 1;
        storage_.resize(capacity, T{});
        storage_[static_cast<std::size_t>(count_++)] = value;
    }

    // Removes element i: the last element takes its place.
    void RemoveAt(int i) {
        if (i < 0 || i >= count_) return;
        --count_;
        if (i != count_) storage_[static_cast<std::size_t>(i)] = storage_[static_cast<std::size_t>(count_)];
        storage_[static_cast<std::size_t>(count_)] = T{};
    }

    // Removes element i; the elements after it move down one place, so the
    // others keep their order.
    void EraseKeepingOrder(int i) {
        if (i < 0 || i >= count_) return;
        for (int k = i; k + 1 < count_; ++k)
            storage_[static_cast<std::size_t>(k)] = storage_[static_cast<std::size_t>(k + 1)];
        storage_[static_cast<std::size_t>(--count_)] = T{};
    }

    // Empties the array; the capacity stays.
    void Clear() {
        for (int i = 0; i < count_; ++i) storage_[static_cast<std::size_t>(i)] = T{};
        count_ = 0;
    }

private:
    std::vector<T> storage_;
    int count_ = 0;
};

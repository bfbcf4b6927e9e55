// TArray, the game's dynamic array: contiguous elements on the game's heap, a count and a
// capacity that grows by the game's slack rule. Elements are relocated by the heap's realloc,
// as the game does, so they must be movable byte by byte (pointers, FString, weak pointers).
#pragma once

#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

#include "host/game_memory.h"

class FDefaultAllocator {};

template <typename T, typename Allocator = FDefaultAllocator>
class TArray {
public:
    TArray() = default;
    TArray(const TArray&) = delete;
    TArray& operator=(const TArray&) = delete;

    TArray(TArray&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)),
          count_(std::exchange(other.count_, 0)),
          max_(std::exchange(other.max_, 0)) {}

    TArray& operator=(TArray&& other) noexcept {
        if (this != &other) {
            Reset();
            data_ = std::exchange(other.data_, nullptr);
            count_ = std::exchange(other.count_, 0);
            max_ = std::exchange(other.max_, 0);
        }
        return *this;
    }

    // Destroys every element, then releases the storage on the game's heap.
    ~TArray() { Reset(); }

    void Add(T value) {
        if (count_ + 1 > max_) {
            max_ = GrowCapacity(max_, count_ + 1);
            data_ = static_cast<T*>(GameRealloc(data_, sizeof(T) * std::size_t(max_)));
        }
        new (data_ + count_) T(std::move(value));
        ++count_;
    }

    void Reset() {
        if constexpr (!std::is_trivially_destructible_v<T>) {
            for (std::int32_t i = 0; i < count_; ++i) data_[i].~T();
        }
        if (data_ != nullptr) GameFree(data_);
        data_ = nullptr;
        count_ = max_ = 0;
    }

    std::int32_t Num() const { return count_; }
    std::int32_t Max() const { return max_; }
    T* Data() { return data_; }
    const T* Data() const { return data_; }
    T& operator[](std::int32_t i) { return data_[i]; }
    const T& operator[](std::int32_t i) const { return data_[i]; }
    T* begin() { return data_; }
    T* end() { return data_ + count_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + count_; }

private:
    T* data_ = nullptr;
    std::int32_t count_ = 0;
    std::int32_t max_ = 0;
};

static_assert(sizeof(TArray<void*>) == 16, "TArray is the game's 16-byte array");

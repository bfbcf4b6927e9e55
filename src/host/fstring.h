// FString, the game's UTF-16 text: storage on the game's heap, a count that includes the
// terminating zero unit, and a capacity that grows by the game's slack rule.
#pragma once

#include <cstdint>
#include <cstring>
#include <utility>

#include "host/game_memory.h"
#include "host/platform.h"

class FString {
public:
    using Char = platform::WideChar;

    FString() = default;

    // A text of `length` units (no terminator given); the capacity follows the slack rule.
    FString(const Char* units, std::int32_t length) {
        if (length <= 0) return;
        Reserve(length + 1, /*exact=*/false);
        std::memcpy(data_, units, sizeof(Char) * length);
        data_[length] = 0;
        count_ = length + 1;
    }

    explicit FString(platform::WideStringView text)
        : FString(text.data(), static_cast<std::int32_t>(text.size())) {}

    // A copy is sized exactly: capacity = count.
    FString(const FString& other) {
        if (other.count_ == 0) return;
        Reserve(other.count_, /*exact=*/true);
        std::memcpy(data_, other.data_, sizeof(Char) * other.count_);
        count_ = other.count_;
    }

    FString(FString&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)),
          count_(std::exchange(other.count_, 0)),
          max_(std::exchange(other.max_, 0)) {}

    FString& operator=(FString other) noexcept {
        std::swap(data_, other.data_);
        std::swap(count_, other.count_);
        std::swap(max_, other.max_);
        return *this;
    }

    ~FString() {
        if (data_ != nullptr) GameFree(data_);
    }

    // Takes ownership of storage that came from the game's heap.
    static FString Adopt(Char* data, std::int32_t count, std::int32_t capacity) {
        FString s;
        s.data_ = data;
        s.count_ = count;
        s.max_ = capacity;
        return s;
    }

    // Gives up ownership of the storage; the caller must free it with GameFree.
    Char* Release() {
        count_ = max_ = 0;
        return std::exchange(data_, nullptr);
    }

    const Char* Data() const { return data_; }
    Char* Data() { return data_; }
    std::int32_t Count() const { return count_; }
    std::int32_t Capacity() const { return max_; }
    // Characters without the terminator.
    std::int32_t Length() const { return count_ > 0 ? count_ - 1 : 0; }
    platform::WideStringView View() const {
        return data_ == nullptr ? platform::WideStringView() : platform::WideStringView(data_, Length());
    }

    // Makes room for `count` units. With `exact`, the capacity becomes exactly `count`;
    // otherwise the slack rule applies when the capacity must grow.
    void Reserve(std::int32_t count, bool exact) {
        if (count <= max_ && !exact) return;
        const std::int32_t capacity = exact ? count : GrowCapacity(max_, count);
        data_ = static_cast<Char*>(GameRealloc(data_, sizeof(Char) * std::size_t(capacity)));
        max_ = capacity;
    }

    void SetCount(std::int32_t count) { count_ = count; }

private:
    Char* data_ = nullptr;
    std::int32_t count_ = 0;
    std::int32_t max_ = 0;
};

static_assert(sizeof(FString) == 16, "FString is the game's 16-byte text");

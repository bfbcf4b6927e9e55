// The game's heap. Every FString and TArray buffer lives here, never on the plugin's own heap,
// because the game frees what it is handed and hands back what it allocated.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/address.h"

// Resizes `block` (null: allocates) to `size` bytes on the game's heap. The heap functions are
// resolved by name at every call.
inline void* GameRealloc(void* block, std::size_t size) {
    if (block == nullptr) {
        using Malloc = void* (*)(std::uint64_t, std::uint32_t);
        return reinterpret_cast<Malloc>(GetAddress("FMemory.Malloc"))(size, 0);
    }
    using Realloc = void* (*)(void*, std::uint64_t);
    return reinterpret_cast<Realloc>(GetAddress("FMemory.Realloc"))(block, size);
}

// Returns `block` to the game's heap.
inline void GameFree(void* block) {
    using Free = void (*)(void*);
    reinterpret_cast<Free>(GetAddress("FMemory.Free"))(block);
}

// The slack rule shared by FString and TArray: the capacity for `new_count` elements when the
// current capacity is too small.
inline std::int32_t GrowCapacity(std::int32_t old_capacity, std::int32_t new_count) {
    if (old_capacity == 0 && new_count <= 4) return 4;
    const std::int64_t n = new_count;
    const std::int64_t grown = n + (3 * n) / 8 + 16;
    return grown > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(grown);
}

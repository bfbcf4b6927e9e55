// The game's heap behind "FMemory.Malloc", "FMemory.Realloc" and "FMemory.Free". It keeps count
// of live blocks and bytes, and records a double free or the free of a block it never gave out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim_api.h"

namespace sim {

class SIM_API Heap {
public:
    ~Heap();
    void* Malloc(std::uint64_t size);
    void* Realloc(void* block, std::uint64_t size);
    void Free(void* block);

    std::size_t Blocks() const { return blocks_.size(); }
    std::uint64_t Bytes() const { return bytes_; }
    // Calls of Malloc and of Realloc that allocated, since the start.
    std::uint64_t Allocations() const { return allocations_; }
    const std::vector<std::string>& Errors() const { return errors_; }
    bool Owns(const void* block) const { return blocks_.count(block) != 0; }

private:
    std::unordered_map<const void*, std::uint64_t> blocks_;
    std::uint64_t bytes_ = 0;
    std::uint64_t allocations_ = 0;
    std::vector<std::string> errors_;
};

}  // namespace sim

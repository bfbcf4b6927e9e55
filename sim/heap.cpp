// The game's heap, with counts.
#include "heap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sim {

namespace {
std::string Describe(const char* what, const void* block) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %p", what, block);
    return text;
}
}  // namespace

Heap::~Heap() {
    for (auto& [block, size] : blocks_) std::free(const_cast<void*>(block));
}

void* Heap::Malloc(std::uint64_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    blocks_[block] = size;
    bytes_ += size;
    ++allocations_;
    return block;
}

void* Heap::Realloc(void* block, std::uint64_t size) {
    if (block == nullptr) return Malloc(size);
    auto it = blocks_.find(block);
    if (it == blocks_.end()) {
        errors_.push_back(Describe("realloc of a block the heap never gave out:", block));
        return Malloc(size);
    }
    bytes_ -= it->second;
    blocks_.erase(it);
    void* moved = std::realloc(block, size == 0 ? 1 : size);
    blocks_[moved] = size;
    bytes_ += size;
    ++allocations_;
    return moved;
}

void Heap::Free(void* block) {
    if (block == nullptr) return;
    auto it = blocks_.find(block);
    if (it == blocks_.end()) {
        errors_.push_back(Describe("free of a block that is not live (double free or foreign):", block));
        return;
    }
    bytes_ -= it->second;
    blocks_.erase(it);
    std::free(block);
}

}  // namespace sim

// The host's name tables.
#include "names.h"

namespace sim {

void NameTable::AddFunction(const std::string& name, void* address) { functions_[name] = address; }

void NameTable::AddField(const std::string& name, std::size_t offset) { fields_[name] = offset; }

void NameTable::AddBit(const std::string& name, std::size_t word_offset, std::uint32_t bit_offset,
                       std::uint32_t bit_count) {
    bits_[name] = BitInfo{word_offset, bit_offset, bit_count};
}

void NameTable::Note(const std::string& name) {
    ++lookups_;
    if (used_.emplace(name, true).second) used_order_.push_back(name);
}

void* NameTable::Function(const std::string& name) {
    Note(name);
    auto it = functions_.find(name);
    if (it != functions_.end()) return it->second;
    unresolved_.push_back(name);
    return nullptr;
}

bool NameTable::Field(const std::string& name, std::size_t* offset) {
    Note(name);
    auto it = fields_.find(name);
    if (it == fields_.end()) {
        unresolved_.push_back(name);
        return false;
    }
    *offset = it->second;
    return true;
}

bool NameTable::Bit(const std::string& name, BitInfo* info) {
    Note(name);
    auto it = bits_.find(name);
    if (it == bits_.end()) {
        unresolved_.push_back(name);
        return false;
    }
    *info = it->second;
    return true;
}

}  // namespace sim

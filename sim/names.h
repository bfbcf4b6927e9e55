// The host's name tables: game functions, fields and packed booleans by "Class.Member" name.
// Every lookup is counted, so a benchmark can tell the host's lookups from the plugin's work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim_api.h"

namespace sim {

struct BitInfo {
    std::size_t word_offset;  // offset of the 32-bit word inside the object
    std::uint32_t bit_offset;
    std::uint32_t bit_count;
};

class SIM_API NameTable {
public:
    void AddFunction(const std::string& name, void* address);
    void AddField(const std::string& name, std::size_t offset);
    void AddBit(const std::string& name, std::size_t word_offset, std::uint32_t bit_offset,
                std::uint32_t bit_count = 1);

    // Null, and the name recorded as unresolved, when unknown.
    void* Function(const std::string& name);
    // False, and the name recorded as unresolved, when unknown.
    bool Field(const std::string& name, std::size_t* offset);
    bool Bit(const std::string& name, BitInfo* info);

    bool HasFunction(const std::string& name) const { return functions_.count(name) != 0; }
    std::uint64_t Lookups() const { return lookups_; }
    const std::vector<std::string>& Unresolved() const { return unresolved_; }
    // Names asked for since the start, in order of first use.
    const std::vector<std::string>& Used() const { return used_order_; }

private:
    void Note(const std::string& name);

    std::unordered_map<std::string, void*> functions_;
    std::unordered_map<std::string, std::size_t> fields_;
    std::unordered_map<std::string, BitInfo> bits_;
    std::uint64_t lookups_ = 0;
    std::vector<std::string> unresolved_;
    std::unordered_map<std::string, bool> used_;
    std::vector<std::string> used_order_;
};

}  // namespace sim

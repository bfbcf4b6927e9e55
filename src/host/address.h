// Name-to-address resolution, the host's way into the game's functions and fields.
// The host resolves every name afresh; the plugin keeps no address beyond one access.
#pragma once

#include <cstdint>
#include <string>

#if defined(_WIN32)
#if defined(ARKAPI_BUILDING_HOST)
#define ARKAPI_API __declspec(dllexport)
#else
#define ARKAPI_API __declspec(dllimport)
#endif
#else
#define ARKAPI_API __attribute__((visibility("default")))
#endif

// The host's descriptor of a packed boolean: the 32-bit word that holds it, the bit offset in
// that word and the number of bits.
struct BitField {
    std::uint64_t word_address;
    std::uint64_t bit_offset;
    std::uint64_t bit_count;
};

// Entry address of a game function named "Class.Function"; null when the name is unknown.
ARKAPI_API void* GetAddress(const std::string& name);
// Address of the field "Class.Field" inside `object`.
ARKAPI_API std::uint64_t GetAddress(const void* object, const std::string& name);
// Descriptor of the packed boolean "Class.Field" inside `object`, by value.
ARKAPI_API BitField GetBitField(const void* object, const std::string& name);

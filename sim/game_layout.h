// Memory layout of the simulated game's objects. The plugin finds every field by name through
// the host's tables; the offsets here are only the game's own business. Several flags share one
// 32-bit word, as in the game, so a wrong mask shows up as a changed neighbour.
#pragma once

#include <cstdint>

#include "host/game_types.h"
#include "objects.h"

namespace sim {

constexpr int kStatCount = 12;
constexpr int kStatStamina = 1;
constexpr int kStatSpeed = 9;

// A TArray whose storage belongs to the game alone (not on the counted heap).
struct RawArray {
    void* data = nullptr;
    std::int32_t count = 0;
    std::int32_t capacity = 0;
};

struct UClassLayout {
    ObjectBase base;
};

struct UWorldLayout {
    ObjectBase base;
    RawArray player_controllers;  // "UWorld.PlayerControllerList": FWeakObjectPtr elements
};

struct GameModeLayout {
    ObjectBase base;
    std::uint8_t padding[3];
    std::uint8_t force_allow_cave_flyers;  // "AShooterGameMode.bForceAllowCaveFlyers"
};

struct ControllerLayout {
    ObjectBase base;
    FWeakObjectPtr last_controlled_character;  // "AShooterPlayerController.LastControlledPlayerCharacter"
    std::uint64_t unique_id;
};

// Fields of APrimalCharacter, shared by player characters and creatures at the same offset.
struct CharacterFields {
    // bit 0 bIsBeingDestroyed-like neighbour, bit 2 bIsFlyerDino, bit 3 bIsWaterDino,
    // bit 5 bCanIgnoreWater, bits 1, 4, 6.. other flags of the game.
    std::uint32_t flags;
    std::uint32_t padding;
    void* status_component;
    void* controller;  // player characters: the player's controller
    void* riding;      // player characters: the creature they ride
};

// Fields of APrimalDinoCharacter.
struct DinoFields {
    // bit 1 bHasRider, bit 4 bAllowRidingInWater, bit 7 bFlyerAllowRidingInCaves,
    // bit 9 vehicle, the others other flags of the game.
    std::uint32_t flags;
    float current_sleep_debt;       // reflected "currentSleepDebt"
    float sleep_debt_multiplier;    // reflected "sleepDebtMultiplier_Add"
    double wide_property;           // an 8-byte reflected property, for size checks
    void* rider;                    // the rider's character
    RawArray buffs;                 // APrimalBuff* elements
};

struct CharacterLayout {
    ObjectBase base;
    CharacterFields character;
};

struct DinoLayout {
    ObjectBase base;
    CharacterFields character;
    DinoFields dino;
};

struct StatusLayout {
    ObjectBase base;
    float current[kStatCount];   // "CurrentStatusValues"
    float recovery[kStatCount];  // "RecoveryRateStatusValue"
    float running_stamina_consumption;  // "RunningStaminaConsumptionRate"
    // bit 0 and 1 other flags, bit 2 bInfiniteWeight, bit 3 bForceRefreshWeight, bit 6 another.
    std::uint32_t flags;
    void* defaults;  // the class's default status component
    std::int32_t rescales;
    std::int32_t syncs;
};

struct BuffLayout {
    ObjectBase base;
    void* owner;
};

struct PropertyLayout {
    ObjectBase base;
    std::int32_t element_size;     // "UProperty.ElementSize"
    std::int32_t offset_internal;  // "UProperty.Offset_Internal"
};

struct ConnectionLayout {
    ObjectBase base;
    std::int32_t connection_id;
};

namespace bits {
constexpr std::uint32_t kFlyer = 2, kWater = 3, kCanIgnoreWater = 5;
constexpr std::uint32_t kHasRider = 1, kAllowRidingInWater = 4, kFlyerAllowCaves = 7, kVehicle = 9;
constexpr std::uint32_t kInfiniteWeight = 2, kForceRefreshWeight = 3;

inline bool Get(std::uint32_t word, std::uint32_t bit) { return (word >> bit) & 1u; }
inline void Set(std::uint32_t& word, std::uint32_t bit, bool on) {
    word = on ? (word | (1u << bit)) : (word & ~(1u << bit));
}
}  // namespace bits

}  // namespace sim

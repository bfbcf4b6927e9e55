// The game's value types as they cross between the plugin and the game: names, weak pointers,
// colours, the chat message record and the RCON packet. Game classes are opaque: the plugin
// reaches their fields and functions only by name.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/address.h"
#include "host/fstring.h"

struct UProperty;

// The game's interned name; the plugin never looks inside.
struct FName {
    std::int32_t index;
    std::int32_t number;
};
static_assert(sizeof(FName) == 8);

// The game's weak object pointer; resolved to an object or null by "FWeakObjectPtr.Get".
struct FWeakObjectPtr {
    std::int32_t object_index;
    std::int32_t serial_number;
};
static_assert(sizeof(FWeakObjectPtr) == 8);

// An 8-bit colour, in the game's memory order.
struct ByteColor {
    std::uint8_t b, g, r, a;
};

struct LinearColor {
    float r, g, b, a;
};

namespace EChatSendMode {
enum Type : std::int32_t { GlobalChat = 0, GlobalTribeChat = 1, LocalChat = 2, AllianceChat = 3 };
}

// The game's RCON request: the protocol's size, id and type, then the body.
struct RCONPacket {
    std::int32_t length;
    std::int32_t id;
    std::int32_t type;
    FString body;
};

// An FString's three fields without ownership: the form in which a text travels inside a record
// that the game takes over and frees.
struct RawFString {
    FString::Char* data;
    std::int32_t count;
    std::int32_t capacity;
};
static_assert(sizeof(RawFString) == 16);

// The chat message record that "AShooterPlayerController.ClientChatMessage" takes by value.
// The game owns the record it receives and frees its texts on the game's heap.
struct ChatMessageRecord {
    RawFString sender_name;        // 0
    RawFString sender_steam_name;  // 16
    RawFString sender_tribe_name;  // 32
    std::uint32_t sender_id;       // 48
    RawFString message;            // 56
    RawFString receiver;           // 72
    std::int32_t sender_team_index;  // 88
    double receive_time;             // 96
    std::uint8_t send_mode;          // 104
    std::uint32_t radio_frequency;   // 108
    std::uint8_t chat_type;          // 112
    void* sender_icon;               // 120
    RawFString user_id;              // 128
};
static_assert(sizeof(ChatMessageRecord) == 144);
static_assert(offsetof(ChatMessageRecord, message) == 56);
static_assert(offsetof(ChatMessageRecord, receive_time) == 96);
static_assert(offsetof(ChatMessageRecord, send_mode) == 104);
static_assert(offsetof(ChatMessageRecord, radio_frequency) == 108);
static_assert(offsetof(ChatMessageRecord, chat_type) == 112);
static_assert(offsetof(ChatMessageRecord, sender_icon) == 120);
static_assert(offsetof(ChatMessageRecord, user_id) == 128);

struct UObject {
    // The reflected property of this object's class named `name`; null when there is none.
    ARKAPI_API UProperty* FindProperty(FName name);
};

// The game's classes, opaque: only the inheritance that the game's functions rely on (a function
// of APrimalCharacter takes a creature) is spelled out.
struct UProperty : UObject {};
struct UClass : UObject {};
struct UWorld : UObject {};
struct AActor : UObject {};
struct APawn : AActor {};
struct APrimalCharacter : APawn {};
struct APrimalDinoCharacter : APrimalCharacter {};
struct AShooterCharacter : APrimalCharacter {};
struct APrimalBuff : AActor {};
struct AController : AActor {};
struct APlayerController : AController {};
struct AShooterPlayerController : APlayerController {};
struct AShooterGameMode : AActor {};
struct UPrimalCharacterStatusComponent : UObject {};
struct RCONClientConnection : UObject {};

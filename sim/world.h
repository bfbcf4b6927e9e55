// The simulated game world: players, tamed creatures, buffs and the game mode, reached by the
// plugin only through the host's name tables. What the game receives from a plugin (notifications,
// chat lines, direct messages, RCON replies) is recorded, decoded, for a test or an operator.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game_layout.h"
#include "host.h"
#include "sim_api.h"

namespace sim {

struct Notification {
    std::string text;
    LinearColor color;
    float size;
    float time;
};

struct ChatLine {
    std::string sender;
    std::string text;
};

struct DirectMessage {
    std::string text;
    LinearColor color;
};

struct RconReply {
    std::int32_t connection;
    std::int32_t id;
    std::int32_t type;
    std::string text;
};

// What the game receives, in the order it received it.
struct Delivery {
    enum Kind { kNotification, kChat, kDirect } kind;
    std::string player;
    Notification notification{};
    ChatLine chat{};
    DirectMessage direct{};
};

struct CreatureClass {
    std::string path;  // the class path, as "UVictoryCore.ClassToStringReference" gives it
    bool flyer = false;
    bool water = false;
    bool vehicle = false;
    bool allow_riding_in_water = false;
    float speed = 1.0f;
    float stamina_consumption = 10.0f;
    float stamina_recovery = 5.0f;
    bool infinite_weight = false;
};

struct Player {
    std::string name;
    std::uint64_t id = 0;
    std::vector<std::string> groups;
    ControllerLayout* controller = nullptr;
    CharacterLayout* character = nullptr;
    std::vector<Notification> notifications;
    std::vector<ChatLine> chats;
    std::vector<DirectMessage> directs;
};

struct Creature {
    std::string name;
    DinoLayout* object = nullptr;
    StatusLayout* status = nullptr;
    UClassLayout* object_class = nullptr;
};

class SIM_API World {
public:
    explicit World(Host& host);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    static World& Get();

    // Players. A disconnected player's controller and character are destroyed: weak pointers to
    // them resolve to null from then on.
    Player& Connect(const std::string& name, std::uint64_t id, std::vector<std::string> groups);
    void Disconnect(const std::string& name);
    Player* FindPlayer(const std::string& name);
    Player* FindPlayer(std::uint64_t id);
    Player* FindPlayer(const void* controller);
    const std::vector<std::unique_ptr<Player>>& Players() const { return players_; }

    // Tamed creatures of a class; the class (and its default status component) is made at the
    // first creature with that path and keeps the defaults given then.
    Creature& Spawn(const std::string& name, const CreatureClass& creature_class);
    // A creature of no class at all, whose blueprint path is empty.
    Creature& SpawnClassless(const std::string& name);
    void Destroy(const std::string& creature);
    Creature* FindCreature(const std::string& name);
    Creature* FindCreature(const void* object);
    const std::vector<std::unique_ptr<Creature>>& Creatures() const { return creatures_; }

    void AddBuff(Creature& creature, const std::string& buff_name);
    // Every buff of the creature runs out and is destroyed.
    void ExpireBuffs(Creature& creature);
    std::vector<std::string> BuffNames(const Creature& creature) const;
    bool IsMegalosaurus(const Creature& creature) const;

    // The game's own actions, through whatever detours are installed.
    void Mount(Player& player, Creature& creature);  // "APrimalDinoCharacter.SetRider"
    void Dismount(Player& player);                   // ClearRider on the ridden creature
    void ClearRider(Creature& creature);             // ClearRider, with or without a rider
    void InitGame();                                 // "AShooterGameMode.InitGame"

    // RCON connections, each an object the plugin answers through, made at first use.
    RCONClientConnection* Connection(std::int32_t id);
    // The connection has closed: its object is destroyed.
    void CloseConnection(std::int32_t id);

    UWorld* WorldObject() const { return reinterpret_cast<UWorld*>(world_); }
    AShooterGameMode* GameMode() const { return reinterpret_cast<AShooterGameMode*>(game_mode_); }
    void SetCaveFlyers(bool on) { game_mode_->force_allow_cave_flyers = on ? 1 : 0; }
    bool CaveFlyers() const { return game_mode_->force_allow_cave_flyers != 0; }

    // Calls of the game's own hooked functions (the detours' calls on included).
    int init_game_calls = 0;
    int set_rider_calls = 0;
    int clear_rider_calls = 0;
    // Questions the Permissions plugin's stand-in answered.
    int permission_queries = 0;
    // "UClass.HasProperty" answers this, and reflected sleep properties have this element size:
    // switches with which a test makes a property write fail.
    bool has_property_answer = true;
    std::int32_t sleep_property_size = 4;

    std::vector<RconReply> rcon_replies;
    std::vector<Delivery> deliveries;
    // Told of each delivery and RCON reply the moment the game receives it, so that an observer
    // can interleave them with the log lines written around them.
    std::function<void(const Delivery&)> delivery_listener;
    std::function<void(const RconReply&)> rcon_listener;
    // The network side, which sends each RCON reply to its client.
    std::function<void(const RconReply&)> rcon_transport;

    // Used by the game's functions.
    Host& host() { return host_; }
    UClassLayout* ObjectClass() const { return object_class_; }
    std::string ClassPath(const void* object_class) const;
    PropertyLayout* FindSleepProperty(const void* object, const std::string& name);
    void DestroyBuff(BuffLayout* buff);
    void Record(const void* controller, Notification notification);
    void Record(const void* controller, ChatLine chat);
    void Record(const void* controller, DirectMessage direct);
    void Record(RconReply reply);

private:
    struct ClassInfo {
        UClassLayout* object;
        std::string path;
        StatusLayout* defaults;
        PropertyLayout* sleep_debt;
        PropertyLayout* sleep_multiplier;
        CreatureClass settings;
    };

    template <typename Layout>
    Layout* NewObject(const std::string& name, void* object_class);
    void DeleteObject(ObjectBase* object);
    ClassInfo& ClassFor(const CreatureClass& creature_class);
    StatusLayout* NewStatus(const std::string& name, const CreatureClass& settings, StatusLayout* defaults);
    void RebuildControllerList();
    void Deliver(Delivery delivery);
    void RegisterNames();

    Host& host_;
    UWorldLayout* world_ = nullptr;
    GameModeLayout* game_mode_ = nullptr;
    UClassLayout* object_class_ = nullptr;
    std::vector<std::unique_ptr<Player>> players_;
    std::vector<std::unique_ptr<Creature>> creatures_;
    std::vector<ClassInfo> classes_;
    std::vector<ConnectionLayout*> connections_;
    std::vector<ObjectBase*> all_objects_;
};

// The groups the simulated server assigns to the player with `id`; false for an unknown player.
// The Permissions plugin's stand-in answers with these.
SIM_API bool PermissionGroupsOf(std::uint64_t id, std::vector<std::string>* groups);

}  // namespace sim

// The simulated game world.
#include "world.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "game_functions.h"
#include "host/utf.h"

namespace sim {

namespace {

World* current_world = nullptr;

template <typename T>
void RawAppend(RawArray& array, T value) {
    if (array.count == array.capacity) {
        array.capacity = array.capacity == 0 ? 4 : array.capacity * 2;
        array.data = std::realloc(array.data, sizeof(T) * std::size_t(array.capacity));
    }
    static_cast<T*>(array.data)[array.count++] = value;
}

template <typename T>
void RawRemove(RawArray& array, T value) {
    T* items = static_cast<T*>(array.data);
    T* end = std::remove(items, items + array.count, value);
    array.count = static_cast<std::int32_t>(end - items);
}

void RawFree(RawArray& array) {
    std::free(array.data);
    array = {};
}

bool ContainsNoCase(std::string text, std::string pattern) {
    for (auto* s : {&text, &pattern}) {
        for (char& c : *s) c = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    }
    return text.find(pattern) != std::string::npos;
}

}  // namespace

void World::RegisterNames() {
    NameTable& names = host_.names;
    RegisterGameFunctions(names, host_.hooks);

    names.AddField("UObjectBase.Class", offsetof(ObjectBase, object_class));
    names.AddField("UObjectBase.Name", offsetof(ObjectBase, name));
    names.AddField("UProperty.ElementSize", offsetof(PropertyLayout, element_size));
    names.AddField("UProperty.Offset_Internal", offsetof(PropertyLayout, offset_internal));
    names.AddField("UWorld.PlayerControllerList", offsetof(UWorldLayout, player_controllers));
    names.AddField("AShooterGameMode.bForceAllowCaveFlyers",
                   offsetof(GameModeLayout, force_allow_cave_flyers));
    names.AddField("AShooterPlayerController.LastControlledPlayerCharacter",
                   offsetof(ControllerLayout, last_controlled_character));
    names.AddField("UPrimalCharacterStatusComponent.CurrentStatusValues",
                   offsetof(StatusLayout, current));
    names.AddField("UPrimalCharacterStatusComponent.RecoveryRateStatusValue",
                   offsetof(StatusLayout, recovery));
    names.AddField("UPrimalCharacterStatusComponent.RunningStaminaConsumptionRate",
                   offsetof(StatusLayout, running_stamina_consumption));

    const std::size_t character_flags = offsetof(CharacterLayout, character.flags);
    names.AddBit("APrimalCharacter.bIsFlyerDino", character_flags, bits::kFlyer);
    names.AddBit("APrimalCharacter.bIsWaterDino", character_flags, bits::kWater);
    names.AddBit("APrimalCharacter.bCanIgnoreWater", character_flags, bits::kCanIgnoreWater);
    const std::size_t dino_flags = offsetof(DinoLayout, dino.flags);
    names.AddBit("APrimalDinoCharacter.bHasRider", dino_flags, bits::kHasRider);
    names.AddBit("APrimalDinoCharacter.bAllowRidingInWater", dino_flags, bits::kAllowRidingInWater);
    names.AddBit("APrimalDinoCharacter.bFlyerAllowRidingInCaves", dino_flags, bits::kFlyerAllowCaves);
    const std::size_t status_flags = offsetof(StatusLayout, flags);
    names.AddBit("UPrimalCharacterStatusComponent.bInfiniteWeight", status_flags, bits::kInfiniteWeight);
    names.AddBit("UPrimalCharacterStatusComponent.bForceRefreshWeight", status_flags,
                 bits::kForceRefreshWeight);
}

World::World(Host& host) : host_(host) {
    current_world = this;
    RegisterNames();
    host_.find_property = [](UObject* object, FName name) -> UProperty* {
        return reinterpret_cast<UProperty*>(Get().FindSleepProperty(object, Get().host().fnames.Text(name)));
    };
    object_class_ = NewObject<UClassLayout>("Object", nullptr);
    world_ = NewObject<UWorldLayout>("World", nullptr);
    game_mode_ = NewObject<GameModeLayout>("ShooterGameMode", nullptr);
    host_.SetWorld(WorldObject(), GameMode());
}

World::~World() {
    host_.find_property = nullptr;
    host_.SetWorld(nullptr, nullptr);
    for (auto& creature : creatures_) RawFree(creature->object->dino.buffs);
    RawFree(world_->player_controllers);
    for (ObjectBase* object : all_objects_) {
        host_.objects.Unregister(object);
        ::operator delete(object);
    }
    current_world = nullptr;
}

World& World::Get() {
    if (current_world == nullptr) std::abort();
    return *current_world;
}

template <typename Layout>
Layout* World::NewObject(const std::string& name, void* object_class) {
    // Zeroed memory, as the game's objects start.
    void* memory = ::operator new(sizeof(Layout));
    std::memset(memory, 0, sizeof(Layout));
    auto* object = static_cast<Layout*>(memory);
    object->base.object_class = object_class;
    object->base.name = host_.fnames.Intern(name);
    host_.objects.Register(&object->base);
    all_objects_.push_back(&object->base);
    return object;
}

void World::DeleteObject(ObjectBase* object) {
    host_.objects.Unregister(object);
    all_objects_.erase(std::remove(all_objects_.begin(), all_objects_.end(), object),
                       all_objects_.end());
    ::operator delete(object);
}

void World::RebuildControllerList() {
    world_->player_controllers.count = 0;
    for (auto& player : players_) {
        RawAppend(world_->player_controllers, host_.objects.Weak(&player->controller->base));
    }
}

Player& World::Connect(const std::string& name, std::uint64_t id, std::vector<std::string> groups) {
    auto player = std::make_unique<Player>();
    player->name = name;
    player->id = id;
    player->groups = std::move(groups);
    player->controller = NewObject<ControllerLayout>("ShooterPlayerController", nullptr);
    player->character = NewObject<CharacterLayout>("PlayerPawnTest_Male_C", nullptr);
    player->controller->unique_id = id;
    player->controller->last_controlled_character = host_.objects.Weak(&player->character->base);
    player->character->character.controller = player->controller;
    players_.push_back(std::move(player));
    RebuildControllerList();
    return *players_.back();
}

void World::Disconnect(const std::string& name) {
    auto it = std::find_if(players_.begin(), players_.end(),
                           [&](const auto& player) { return player->name == name; });
    if (it == players_.end()) return;
    Player& player = **it;
    // The game takes a leaving rider off the creature without running ClearRider.
    if (auto* creature = static_cast<DinoLayout*>(player.character->character.riding)) {
        creature->dino.rider = nullptr;
        bits::Set(creature->dino.flags, bits::kHasRider, false);
    }
    DeleteObject(&player.character->base);
    DeleteObject(&player.controller->base);
    players_.erase(it);
    RebuildControllerList();
}

Player* World::FindPlayer(const std::string& name) {
    for (auto& player : players_) {
        if (player->name == name) return player.get();
    }
    return nullptr;
}

Player* World::FindPlayer(std::uint64_t id) {
    for (auto& player : players_) {
        if (player->id == id) return player.get();
    }
    return nullptr;
}

Player* World::FindPlayer(const void* controller) {
    for (auto& player : players_) {
        if (player->controller == controller) return player.get();
    }
    return nullptr;
}

StatusLayout* World::NewStatus(const std::string& name, const CreatureClass& settings,
                               StatusLayout* defaults) {
    auto* status = NewObject<StatusLayout>(name, nullptr);
    for (float& value : status->current) value = 100.0f;
    for (float& value : status->recovery) value = 1.0f;
    status->current[kStatSpeed] = settings.speed;
    status->recovery[kStatStamina] = settings.stamina_recovery;
    status->running_stamina_consumption = settings.stamina_consumption;
    // Neighbouring flags that no one should touch.
    status->flags = (1u << 0) | (1u << 6);
    bits::Set(status->flags, bits::kInfiniteWeight, settings.infinite_weight);
    status->defaults = defaults == nullptr ? status : defaults;
    return status;
}

World::ClassInfo& World::ClassFor(const CreatureClass& creature_class) {
    for (auto& info : classes_) {
        if (info.path == creature_class.path) return info;
    }
    ClassInfo info{};
    info.path = creature_class.path;
    info.settings = creature_class;
    info.object = NewObject<UClassLayout>(creature_class.path, object_class_);
    info.defaults = NewStatus("Default__DinoCharacterStatusComponent", creature_class, nullptr);
    // The game reflects its sleep properties only on the Megalosaurus's class.
    if (ContainsNoCase(creature_class.path, "megalosaurus")) {
        info.sleep_debt = NewObject<PropertyLayout>("currentSleepDebt", nullptr);
        info.sleep_debt->offset_internal = offsetof(DinoLayout, dino.current_sleep_debt);
        info.sleep_multiplier = NewObject<PropertyLayout>("sleepDebtMultiplier_Add", nullptr);
        info.sleep_multiplier->offset_internal = offsetof(DinoLayout, dino.sleep_debt_multiplier);
    }
    classes_.push_back(info);
    return classes_.back();
}

Creature& World::Spawn(const std::string& name, const CreatureClass& requested) {
    ClassInfo& info = ClassFor(requested);
    const CreatureClass& settings = info.settings;
    auto creature = std::make_unique<Creature>();
    creature->name = name;
    creature->object_class = info.object;
    creature->object = NewObject<DinoLayout>(name, info.object);
    creature->status = NewStatus("DinoCharacterStatusComponent", settings, info.defaults);
    DinoLayout* dino = creature->object;
    dino->character.status_component = creature->status;
    // Neighbouring flags of the game, set so that a wrong mask changes them.
    dino->character.flags = (1u << 1) | (1u << 4) | (1u << 8);
    bits::Set(dino->character.flags, bits::kFlyer, settings.flyer);
    bits::Set(dino->character.flags, bits::kWater, settings.water);
    dino->dino.flags = (1u << 0) | (1u << 3) | (1u << 8);
    bits::Set(dino->dino.flags, bits::kVehicle, settings.vehicle);
    bits::Set(dino->dino.flags, bits::kAllowRidingInWater, settings.allow_riding_in_water);
    dino->dino.sleep_debt_multiplier = 1.0f;
    creatures_.push_back(std::move(creature));
    return *creatures_.back();
}

Creature& World::SpawnClassless(const std::string& name) {
    Creature& creature = Spawn(name, CreatureClass{"/Game/Classless"});
    creature.object->base.object_class = nullptr;
    creature.object_class = nullptr;
    return creature;
}

void World::Destroy(const std::string& name) {
    auto it = std::find_if(creatures_.begin(), creatures_.end(),
                           [&](const auto& creature) { return creature->name == name; });
    if (it == creatures_.end()) return;
    Creature& creature = **it;
    if (auto* rider = static_cast<CharacterLayout*>(creature.object->dino.rider)) {
        rider->character.riding = nullptr;
    }
    ExpireBuffs(creature);
    RawFree(creature.object->dino.buffs);
    DeleteObject(&creature.status->base);
    DeleteObject(&creature.object->base);
    creatures_.erase(it);
}

Creature* World::FindCreature(const std::string& name) {
    for (auto& creature : creatures_) {
        if (creature->name == name) return creature.get();
    }
    return nullptr;
}

Creature* World::FindCreature(const void* object) {
    for (auto& creature : creatures_) {
        if (creature->object == object) return creature.get();
    }
    return nullptr;
}

void World::AddBuff(Creature& creature, const std::string& buff_name) {
    auto* buff = NewObject<BuffLayout>(buff_name, nullptr);
    buff->owner = creature.object;
    RawAppend(creature.object->dino.buffs, buff);
}

void World::ExpireBuffs(Creature& creature) {
    RawArray& buffs = creature.object->dino.buffs;
    std::vector<BuffLayout*> expired(static_cast<BuffLayout**>(buffs.data),
                                     static_cast<BuffLayout**>(buffs.data) + buffs.count);
    buffs.count = 0;
    for (BuffLayout* buff : expired) DeleteObject(&buff->base);
}

std::vector<std::string> World::BuffNames(const Creature& creature) const {
    std::vector<std::string> names;
    const RawArray& buffs = creature.object->dino.buffs;
    for (std::int32_t i = 0; i < buffs.count; ++i) {
        names.push_back(host_.fnames.Text(static_cast<BuffLayout**>(buffs.data)[i]->base.name));
    }
    return names;
}

bool World::IsMegalosaurus(const Creature& creature) const {
    for (const auto& info : classes_) {
        if (info.object == creature.object_class) return info.sleep_debt != nullptr;
    }
    return false;
}

void World::DestroyBuff(BuffLayout* buff) {
    if (Creature* creature = FindCreature(buff->owner)) {
        RawRemove(creature->object->dino.buffs, buff);
    }
    DeleteObject(&buff->base);
}

std::string World::ClassPath(const void* object_class) const {
    for (const auto& info : classes_) {
        if (info.object == object_class) return info.path;
    }
    return {};
}

PropertyLayout* World::FindSleepProperty(const void* object, const std::string& name) {
    const auto* base = static_cast<const ObjectBase*>(object);
    for (auto& info : classes_) {
        if (info.object != base->object_class || info.sleep_debt == nullptr) continue;
        PropertyLayout* property = name == "currentSleepDebt"          ? info.sleep_debt
                                   : name == "sleepDebtMultiplier_Add" ? info.sleep_multiplier
                                                                       : nullptr;
        if (property != nullptr) property->element_size = sleep_property_size;
        return property;
    }
    return nullptr;
}

void World::Mount(Player& player, Creature& creature) {
    host_.guard.Run("APrimalDinoCharacter.SetRider", [&] {
        host_.Hooked<SetRiderFunction>("APrimalDinoCharacter.SetRider")(
            reinterpret_cast<APrimalDinoCharacter*>(creature.object),
            reinterpret_cast<AShooterCharacter*>(player.character));
    });
}

void World::Dismount(Player& player) {
    if (Creature* creature = FindCreature(player.character->character.riding)) ClearRider(*creature);
}

void World::ClearRider(Creature& creature) {
    host_.guard.Run("APrimalDinoCharacter.ClearRider", [&] {
        host_.Hooked<ClearRiderFunction>("APrimalDinoCharacter.ClearRider")(
            reinterpret_cast<APrimalDinoCharacter*>(creature.object), false, false, false, -1, false);
    });
}

void World::InitGame() {
    FString map(utf::Utf8ToUtf16<FString::Char>("TheIsland"));
    FString options;
    FString error;
    host_.guard.Run("AShooterGameMode.InitGame", [&] {
        host_.Hooked<InitGameFunction>("AShooterGameMode.InitGame")(GameMode(), &map, &options, &error);
    });
}

RCONClientConnection* World::Connection(std::int32_t id) {
    for (ConnectionLayout* connection : connections_) {
        if (connection->connection_id == id) return reinterpret_cast<RCONClientConnection*>(connection);
    }
    auto* connection = NewObject<ConnectionLayout>("RCONClientConnection", nullptr);
    connection->connection_id = id;
    connections_.push_back(connection);
    return reinterpret_cast<RCONClientConnection*>(connection);
}

void World::CloseConnection(std::int32_t id) {
    auto it = std::find_if(connections_.begin(), connections_.end(),
                           [id](const ConnectionLayout* connection) {
                               return connection->connection_id == id;
                           });
    if (it == connections_.end()) return;
    DeleteObject(&(*it)->base);
    connections_.erase(it);
}

void World::Record(const void* controller, Notification notification) {
    Player* player = FindPlayer(controller);
    if (player == nullptr) return;
    Deliver({Delivery::kNotification, player->name, notification, {}, {}});
    player->notifications.push_back(std::move(notification));
}

void World::Record(const void* controller, ChatLine chat) {
    Player* player = FindPlayer(controller);
    if (player == nullptr) return;
    Deliver({Delivery::kChat, player->name, {}, chat, {}});
    player->chats.push_back(std::move(chat));
}

void World::Record(const void* controller, DirectMessage direct) {
    Player* player = FindPlayer(controller);
    if (player == nullptr) return;
    Deliver({Delivery::kDirect, player->name, {}, {}, direct});
    player->directs.push_back(std::move(direct));
}

void World::Deliver(Delivery delivery) {
    deliveries.push_back(std::move(delivery));
    if (delivery_listener) delivery_listener(deliveries.back());
}

void World::Record(RconReply reply) {
    rcon_replies.push_back(std::move(reply));
    if (rcon_listener) rcon_listener(rcon_replies.back());
    if (rcon_transport) rcon_transport(rcon_replies.back());
}

SIM_API bool PermissionGroupsOf(std::uint64_t id, std::vector<std::string>* groups) {
    if (current_world == nullptr) return false;
    ++current_world->permission_queries;
    Player* player = current_world->FindPlayer(id);
    if (player == nullptr) return false;
    *groups = player->groups;
    return true;
}

}  // namespace sim

// The game's functions that the plugin calls by name, with the game's argument order (a member
// function takes its object first).
#include "game_functions.h"

#include <cstring>

#include "host/tarray.h"
#include "host/utf.h"
#include "world.h"

namespace sim {

namespace {

World& W() { return World::Get(); }

std::string Text(const FString* text) {
    if (text == nullptr || text->Data() == nullptr) return {};
    return utf::Utf16ToUtf8(text->Data(), static_cast<std::size_t>(text->Length()));
}

std::string Text(const RawFString& text) {
    if (text.data == nullptr || text.count <= 1) return {};
    return utf::Utf16ToUtf8(text.data, static_cast<std::size_t>(text.count - 1));
}

FString Wide(const std::string& text) {
    return FString(utf::Utf8ToUtf16<FString::Char>(text));
}

// Objects the plugin passes back are checked against the object table, so a stale pointer shows
// up as a recorded error instead of a read of freed memory.
template <typename Layout>
Layout* Live(const void* object, const char* function) {
    if (object == nullptr || !W().host().objects.IsLive(object)) {
        W().host().faults.push_back(std::string(function) + ": called on an object that is not live");
        return nullptr;
    }
    return static_cast<Layout*>(const_cast<void*>(object));
}

// -- FName, weak pointers, classes and properties

void FNameInit(FName* result, const char* text, std::int32_t, std::int32_t, bool, std::int32_t) {
    *result = W().host().fnames.Intern(text);
}

void FNameToString(FName* name, FString* result) {
    *result = Wide(W().host().fnames.Text(*name));
}

UObject* WeakGet(const FWeakObjectPtr* weak, bool) {
    return reinterpret_cast<UObject*>(W().host().objects.Resolve(*weak));
}

UClass* ObjectStaticClass() { return reinterpret_cast<UClass*>(W().ObjectClass()); }

bool ClassHasProperty(UClass*, UProperty*) { return W().has_property_answer; }

FString* ClassToStringReference(FString* result, UClass* object_class) {
    *result = Wide(W().ClassPath(object_class));
    return result;
}

// -- actors and pawns

bool ActorDestroy(AActor* actor, bool, bool) {
    auto* base = Live<ObjectBase>(actor, "AActor.Destroy");
    if (base == nullptr) return false;
    W().DestroyBuff(reinterpret_cast<BuffLayout*>(actor));
    return true;
}

AShooterPlayerController* PawnGetCharacterController(APawn* pawn) {
    auto* character = Live<CharacterLayout>(pawn, "APawn.GetCharacterController");
    return character == nullptr ? nullptr
                                : static_cast<AShooterPlayerController*>(character->character.controller);
}

AShooterPlayerController* PawnGetOwnerController(APawn* pawn) {
    auto* object = Live<CharacterLayout>(pawn, "APawn.GetOwnerController");
    if (object == nullptr) return nullptr;
    if (Creature* creature = W().FindCreature(pawn)) {
        auto* rider = static_cast<CharacterLayout*>(creature->object->dino.rider);
        return rider == nullptr ? nullptr
                                : static_cast<AShooterPlayerController*>(rider->character.controller);
    }
    return static_cast<AShooterPlayerController*>(object->character.controller);
}

// -- player controllers

std::uint64_t ControllerUniqueId(AShooterPlayerController* controller) {
    auto* object = Live<ControllerLayout>(controller, "AShooterPlayerController.GetUniqueNetIdAsUINT64");
    return object == nullptr ? 0 : object->unique_id;
}

bool ControllerIsRidingDino(AShooterPlayerController* controller) {
    auto* object = Live<ControllerLayout>(controller, "AShooterPlayerController.IsRidingDino");
    if (object == nullptr) return false;
    auto* character = W().host().objects.Resolve(object->last_controlled_character);
    return character != nullptr && static_cast<CharacterLayout*>(static_cast<void*>(character))->character.riding != nullptr;
}

void ControllerDirectMessage(AShooterPlayerController* controller, FString* text, LinearColor* color, bool) {
    if (Live<ControllerLayout>(controller, "AShooterPlayerController.ClientServerChatDirectMessage") == nullptr) return;
    W().Record(controller, DirectMessage{Text(text), *color});
}

void ControllerChatMessage(AShooterPlayerController* controller, ChatMessageRecord record) {
    // The game owns the record it was handed and frees its texts once it has shown them.
    if (Live<ControllerLayout>(controller, "AShooterPlayerController.ClientChatMessage") != nullptr) {
        W().Record(controller, ChatLine{Text(record.sender_name), Text(record.message)});
    }
    for (RawFString* text : {&record.sender_name, &record.sender_steam_name, &record.sender_tribe_name,
                             &record.message, &record.receiver, &record.user_id}) {
        if (text->data != nullptr) W().host().heap.Free(text->data);
    }
}

void ControllerNotification(AShooterPlayerController* controller, FString* text, LinearColor* color, float size,
                            float time, void*, void*) {
    if (Live<ControllerLayout>(controller, "AShooterPlayerController.ClientServerSOTFNotificationCustom") == nullptr) return;
    W().Record(controller, Notification{Text(text), *color, size, time});
}

// -- characters, creatures and status components

UPrimalCharacterStatusComponent* CharacterStatusComponent(APrimalCharacter* character) {
    auto* object = Live<CharacterLayout>(character, "APrimalCharacter.GetCharacterStatusComponent");
    return object == nullptr ? nullptr
                             : static_cast<UPrimalCharacterStatusComponent*>(object->character.status_component);
}

void CharacterGetBuffs(APrimalCharacter* character, TArray<APrimalBuff*>* result) {
    Creature* creature = W().FindCreature(character);
    if (creature == nullptr) return;
    const RawArray& buffs = creature->object->dino.buffs;
    for (std::int32_t i = 0; i < buffs.count; ++i) {
        result->Add(static_cast<APrimalBuff**>(buffs.data)[i]);
    }
}

APrimalDinoCharacter* ShooterCharacterRidingDino(AShooterCharacter* character) {
    auto* object = Live<CharacterLayout>(character, "AShooterCharacter.GetRidingDino");
    return object == nullptr ? nullptr : static_cast<APrimalDinoCharacter*>(object->character.riding);
}

bool DinoIsVehicle(APrimalDinoCharacter* dino) {
    auto* object = Live<DinoLayout>(dino, "APrimalDinoCharacter.IsVehicle");
    return object != nullptr && bits::Get(object->dino.flags, bits::kVehicle);
}

void StatusRescaleAllStats(UPrimalCharacterStatusComponent* status) {
    auto* object = Live<StatusLayout>(status, "UPrimalCharacterStatusComponent.RescaleAllStats");
    if (object == nullptr) return;
    // The game recomputes every stat from the class: the speed value returns to its base.
    object->current[kStatSpeed] = static_cast<StatusLayout*>(object->defaults)->current[kStatSpeed];
    ++object->rescales;
}

void StatusServerSync(UPrimalCharacterStatusComponent* status) {
    auto* object = Live<StatusLayout>(status, "UPrimalCharacterStatusComponent.ServerSyncReplicatedValues");
    if (object != nullptr) ++object->syncs;
}

UPrimalCharacterStatusComponent* StatusDefaults(UPrimalCharacterStatusComponent* status) {
    auto* object = Live<StatusLayout>(status, "UPrimalCharacterStatusComponent.GetDefaultCharacterStatusComponent");
    return object == nullptr ? nullptr : static_cast<UPrimalCharacterStatusComponent*>(object->defaults);
}

// -- RCON

void ConnectionSendMessage(RCONClientConnection* connection, std::int32_t id, std::int32_t type, FString* text) {
    auto* object = Live<ConnectionLayout>(connection, "RCONClientConnection.SendMessageW");
    if (object == nullptr) return;
    W().rcon_replies.push_back({object->connection_id, id, type, Text(text)});
}

// -- the hookable functions: what the game does when nobody detours it

void GameModeInitGame(AShooterGameMode*, FString*, FString*, FString*) { ++W().init_game_calls; }

void DinoSetRider(APrimalDinoCharacter* dino, AShooterCharacter* rider) {
    ++W().set_rider_calls;
    auto* creature = Live<DinoLayout>(dino, "APrimalDinoCharacter.SetRider");
    auto* character = Live<CharacterLayout>(rider, "APrimalDinoCharacter.SetRider");
    if (creature == nullptr || character == nullptr) return;
    creature->dino.rider = character;
    bits::Set(creature->dino.flags, bits::kHasRider, true);
    character->character.riding = creature;
}

void DinoClearRider(APrimalDinoCharacter* dino, bool, bool, bool, std::int32_t, bool) {
    ++W().clear_rider_calls;
    auto* creature = Live<DinoLayout>(dino, "APrimalDinoCharacter.ClearRider");
    if (creature == nullptr) return;
    if (auto* rider = static_cast<CharacterLayout*>(creature->dino.rider)) {
        rider->character.riding = nullptr;
    }
    creature->dino.rider = nullptr;
    bits::Set(creature->dino.flags, bits::kHasRider, false);
}

template <typename Function>
void* Address(Function* function) {
    return reinterpret_cast<void*>(function);
}

}  // namespace

void RegisterGameFunctions(NameTable& names, HookRegistry& hooks) {
    names.AddFunction("FName.Init", Address(&FNameInit));
    names.AddFunction("FName.ToString", Address(&FNameToString));
    names.AddFunction("FWeakObjectPtr.Get", Address(&WeakGet));
    names.AddFunction("UObject.StaticClass", Address(&ObjectStaticClass));
    names.AddFunction("UClass.HasProperty", Address(&ClassHasProperty));
    names.AddFunction("UVictoryCore.ClassToStringReference", Address(&ClassToStringReference));
    names.AddFunction("RCONClientConnection.SendMessageW", Address(&ConnectionSendMessage));
    names.AddFunction("AActor.Destroy", Address(&ActorDestroy));
    names.AddFunction("APawn.GetCharacterController", Address(&PawnGetCharacterController));
    names.AddFunction("APawn.GetOwnerController", Address(&PawnGetOwnerController));
    names.AddFunction("AShooterPlayerController.GetUniqueNetIdAsUINT64", Address(&ControllerUniqueId));
    names.AddFunction("AShooterPlayerController.IsRidingDino", Address(&ControllerIsRidingDino));
    names.AddFunction("AShooterPlayerController.ClientServerChatDirectMessage", Address(&ControllerDirectMessage));
    names.AddFunction("AShooterPlayerController.ClientChatMessage", Address(&ControllerChatMessage));
    names.AddFunction("AShooterPlayerController.ClientServerSOTFNotificationCustom", Address(&ControllerNotification));
    names.AddFunction("APrimalCharacter.GetCharacterStatusComponent", Address(&CharacterStatusComponent));
    names.AddFunction("APrimalCharacter.GetBuffs", Address(&CharacterGetBuffs));
    names.AddFunction("AShooterCharacter.GetRidingDino", Address(&ShooterCharacterRidingDino));
    names.AddFunction("APrimalDinoCharacter.IsVehicle", Address(&DinoIsVehicle));
    names.AddFunction("UPrimalCharacterStatusComponent.RescaleAllStats", Address(&StatusRescaleAllStats));
    names.AddFunction("UPrimalCharacterStatusComponent.ServerSyncReplicatedValues", Address(&StatusServerSync));
    names.AddFunction("UPrimalCharacterStatusComponent.GetDefaultCharacterStatusComponent", Address(&StatusDefaults));

    for (auto [name, function] : {std::pair{"AShooterGameMode.InitGame", Address(&GameModeInitGame)},
                                  std::pair{"APrimalDinoCharacter.SetRider", Address(&DinoSetRider)},
                                  std::pair{"APrimalDinoCharacter.ClearRider", Address(&DinoClearRider)}}) {
        names.AddFunction(name, function);
        hooks.DeclareHookable(name, function);
    }
}

}  // namespace sim

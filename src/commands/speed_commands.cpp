// The speed and unspeed chat commands.
#include "commands/speed_commands.h"

#include "config/config.h"
#include "host/bindings.h"
#include "messages/send_message.h"
#include "plugin/callback_guard.h"
#include "speed/apply.h"
#include "speed/restore.h"
#include "speed/selection.h"
#include "speed/status.h"

namespace {

// The creature the sender rides, or null when they ride none.
APrimalDinoCharacter* RiddenCreature(AShooterPlayerController* sender) {
    if (!CallGameFunction<bool>("AShooterPlayerController.IsRidingDino", sender)) return nullptr;
    auto& weak = GameFieldRef<FWeakObjectPtr>(sender, "AShooterPlayerController.LastControlledPlayerCharacter");
    UObject* character = GetWeakObject(&weak);
    if (character == nullptr) return nullptr;
    return CallGameFunction<APrimalDinoCharacter*, AShooterCharacter*>(
        "AShooterCharacter.GetRidingDino", static_cast<AShooterCharacter*>(character));
}

void SendEventMessage(const char* event, AShooterPlayerController* player) {
    SendConfiguredMessage(Config()["Messages"][event], player, {});
}

}  // namespace

void OnSpeedCommand(AShooterPlayerController* sender, FString*, EChatSendMode::Type) {
    RunGuarded("OnSpeedCommand", [&] {
        APrimalDinoCharacter* creature = RiddenCreature(sender);
        if (creature == nullptr || IsVehicle(creature)) return;
        Json entry = SelectCreatureSettings(creature, sender);
        if (entry.is_null()) return;
        ApplySpeed(creature, sender, std::move(entry));
        SendEventMessage("OnSpeedCmd", sender);
    });
}

void OnUnspeedCommand(AShooterPlayerController* sender, FString*, EChatSendMode::Type) {
    RunGuarded("OnUnspeedCommand", [&] {
        APrimalDinoCharacter* creature = RiddenCreature(sender);
        if (creature == nullptr) return;
        // The entry only decides whether the creature is restored.
        if (SelectCreatureSettings(creature, sender).is_null()) return;
        RestoreSpeed(creature);
        SendEventMessage("OnUnspeedCmd", sender);
    });
}

// Detours of the game's mount and dismount functions.
#include "commands/mount_hooks.h"

#include "config/config.h"
#include "host/bindings.h"
#include "messages/send_message.h"
#include "plugin/callback_guard.h"
#include "speed/apply.h"
#include "speed/restore.h"
#include "speed/selection.h"

SetRiderFunction SetRiderOriginal = nullptr;
ClearRiderFunction ClearRiderOriginal = nullptr;

void SetRiderHook(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
    // The mount is complete before the plugin does anything.
    SetRiderOriginal(creature, rider);
    RunGuarded("SetRiderHook", [&] {
        auto* controller = CallGameFunction<AShooterPlayerController*, APawn*>(
            "APawn.GetCharacterController", rider);
        if (controller == nullptr) return;
        Json entry = SelectCreatureSettings(creature, controller);
        if (entry.is_null() || !entry.value("AutoSpeedOnMount", false)) return;
        ApplySpeed(creature, controller, std::move(entry));
        SendConfiguredMessage(Config()["Messages"]["OnAutoSpeed"], controller, {});
    });
}

void ClearRiderHook(APrimalDinoCharacter* creature, bool from_save, bool cancel_forced,
                    bool spawn_on_right, std::int32_t override_exit_index, bool force_clear) {
    // Who rode the creature can only be asked before the game takes the rider off.
    bool had_rider = false;
    AShooterPlayerController* controller = nullptr;
    const bool read = RunGuarded("ClearRiderHook", [&] {
        had_rider = ReadBitField(creature, "APrimalDinoCharacter.bHasRider") != 0;
        if (had_rider) {
            controller = CallGameFunction<AShooterPlayerController*, APawn*>(
                "APawn.GetOwnerController", creature);
        }
    });
    ClearRiderOriginal(creature, from_save, cancel_forced, spawn_on_right, override_exit_index,
                       force_clear);
    if (!read || !had_rider || controller == nullptr) return;
    RunGuarded("ClearRiderHook", [&] {
        const Json entry = SelectCreatureSettings(creature, controller);
        if (entry.is_null() || !entry.value("AutoUnspeedOnDismount", false)) return;
        RestoreSpeed(creature);
        SendConfiguredMessage(Config()["Messages"]["OnAutoUnspeed"], controller, {});
    });
}

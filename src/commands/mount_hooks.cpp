// Detours of the game's mount and dismount functions.
#include "commands/mount_hooks.h"

SetRiderFunction SetRiderOriginal = nullptr;
ClearRiderFunction ClearRiderOriginal = nullptr;

void SetRiderHook(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
    SetRiderOriginal(creature, rider);
}

void ClearRiderHook(APrimalDinoCharacter* creature, bool from_save, bool cancel_forced,
                    bool spawn_on_right, std::int32_t override_exit_index, bool force_clear) {
    ClearRiderOriginal(creature, from_save, cancel_forced, spawn_on_right, override_exit_index,
                       force_clear);
}

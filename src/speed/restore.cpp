// Speed restoration.
#include "speed/restore.h"

#include <cstring>

#include "host/arkapi.h"
#include "host/bindings.h"
#include "speed/category.h"
#include "speed/status.h"

void RestoreSpeed(APrimalDinoCharacter* creature) {
    if (creature == nullptr || IsVehicle(creature)) return;
    const FString path = GetBlueprintPath(creature);
    const std::string_view category = GetCreatureCategory(creature);

    auto* status = GetStatusComponent(creature);
    auto* defaults = CallGameFunction<UPrimalCharacterStatusComponent*>(
        "UPrimalCharacterStatusComponent.GetDefaultCharacterStatusComponent", status);
    float& recovery = RecoveryRates(status)[kStaminaStat];
    const float& default_recovery = RecoveryRates(defaults)[kStaminaStat];

    RunningStaminaConsumption(status) = RunningStaminaConsumption(defaults);
    WriteBitField(status, kInfiniteWeight, ReadBitField(defaults, kInfiniteWeight) != 0 ? 1 : 0);
    WriteBitField(status, kForceRefreshWeight, 1);
    std::memcpy(&recovery, &default_recovery, sizeof(float));

    auto* game_mode = ArkApi::GetApiUtils().GetShooterGameMode();
    if (category == kAerial) {
        const bool allow_water = ReadBitField(creature, "APrimalDinoCharacter.bAllowRidingInWater") != 0;
        if ((ReadBitField(creature, kCanIgnoreWater) != 0) != allow_water) {
            WriteBitField(creature, kCanIgnoreWater, allow_water ? 1 : 0);
        }
        const bool caves = GameFieldRef<std::uint8_t>(game_mode, "AShooterGameMode.bForceAllowCaveFlyers") != 0;
        if ((ReadBitField(creature, kFlyerAllowCaves) != 0) != caves) {
            WriteBitField(creature, kFlyerAllowCaves, caves ? 1 : 0);
        }
    }
    if (IsMegalosaurus(category, path)) {
        SetSleepProperty(creature, "currentSleepDebt", 0.0f);
        SetSleepProperty(creature, "sleepDebtMultiplier_Add", 1.0f);
    }
    RescaleAndSync(status);
}

// The creature and status component members that restoration and application both touch.
#pragma once

#include <string>

#include "host/bindings.h"

inline constexpr int kStaminaStat = 1;
inline constexpr int kSpeedStat = 9;

inline const std::string kInfiniteWeight = "UPrimalCharacterStatusComponent.bInfiniteWeight";
inline const std::string kForceRefreshWeight = "UPrimalCharacterStatusComponent.bForceRefreshWeight";
inline const std::string kCanIgnoreWater = "APrimalCharacter.bCanIgnoreWater";
inline const std::string kFlyerAllowCaves = "APrimalDinoCharacter.bFlyerAllowRidingInCaves";

inline bool IsVehicle(APrimalDinoCharacter* creature) {
    return CallGameFunction<bool>("APrimalDinoCharacter.IsVehicle", creature);
}

inline UPrimalCharacterStatusComponent* GetStatusComponent(APrimalDinoCharacter* creature) {
    return CallGameFunction<UPrimalCharacterStatusComponent*, APrimalCharacter*>(
        "APrimalCharacter.GetCharacterStatusComponent", creature);
}

// The status component's per-stat arrays, indexed by stat.
inline float* RecoveryRates(UPrimalCharacterStatusComponent* status) {
    return &GameFieldRef<float>(status, "UPrimalCharacterStatusComponent.RecoveryRateStatusValue");
}
inline float* CurrentValues(UPrimalCharacterStatusComponent* status) {
    return &GameFieldRef<float>(status, "UPrimalCharacterStatusComponent.CurrentStatusValues");
}
inline float& RunningStaminaConsumption(UPrimalCharacterStatusComponent* status) {
    return GameFieldRef<float>(status, "UPrimalCharacterStatusComponent.RunningStaminaConsumptionRate");
}

inline void RescaleAndSync(UPrimalCharacterStatusComponent* status) {
    CallGameFunction<void>("UPrimalCharacterStatusComponent.RescaleAllStats", status);
    CallGameFunction<void>("UPrimalCharacterStatusComponent.ServerSyncReplicatedValues", status);
}

// Sets the reflected float property `name` of the creature when its class has one; a class
// without it is skipped silently.
inline void SetSleepProperty(APrimalDinoCharacter* creature, const std::string& name, float value) {
    auto* object = reinterpret_cast<UObject*>(creature);
    if (UProperty* property = object->FindProperty(MakeFName(name))) {
        SetFloatProperty(property, creature, value);
    }
}

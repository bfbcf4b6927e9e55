// Speed application.
#include "speed/apply.h"

#include "host/tarray.h"
#include "host/text.h"
#include "speed/category.h"
#include "speed/restore.h"
#include "speed/selection.h"
#include "speed/status.h"

namespace {

// Writes the packed boolean only when it differs from `wanted`.
void SetBitIfDifferent(void* object, const std::string& name, bool wanted) {
    if ((ReadBitField(object, name) != 0) != wanted) WriteBitField(object, name, wanted ? 1 : 0);
}

// Multiplies a float in place, leaving it untouched when the product compares equal.
void Scale(float& value, float multiplier) {
    const float scaled = multiplier * value;
    if (!(scaled == value)) value = scaled;
}

bool IsNocturnalBuff(const FString& name) {
    return FStringFind(name, KESTRAVEL_WIDE("Buff_NocturnalState_Groggy_C")) != -1 ||
           FStringFind(name, KESTRAVEL_WIDE("Buff_NocturnalState_SleepDeprived_C")) != -1;
}

// Destroys the first groggy or sleep-deprived buff of the creature, if any.
void RemoveOneNocturnalBuff(APrimalDinoCharacter* creature) {
    TArray<APrimalBuff*> buffs;
    CallGameFunction<void, APrimalCharacter*, TArray<APrimalBuff*>*>("APrimalCharacter.GetBuffs",
                                                                     creature, &buffs);
    for (APrimalBuff* buff : buffs) {
        if (IsNocturnalBuff(FNameToFString(GameFieldRef<FName>(buff, "UObjectBase.Name")))) {
            CallGameFunction<bool, AActor*, bool, bool>("AActor.Destroy", buff, true, false);
            break;
        }
    }
}

}  // namespace

void ApplySpeed(APrimalDinoCharacter* creature, AShooterPlayerController* player, Json entry) {
    if (creature == nullptr || IsVehicle(creature)) return;
    const FString path = GetBlueprintPath(creature);
    const std::string_view category = GetCreatureCategory(creature);
    if (entry.is_null()) {
        entry = SelectCreatureSettings(FStringToUtf8(path), category, player);
        if (entry.is_null()) return;
    }

    RestoreSpeed(creature);
    auto* status = GetStatusComponent(creature);
    RescaleAndSync(status);

    const bool absolute = entry.value("AbsoluteSpeedPercentage", false);
    float speed = entry.value("SpeedPercentage", 0.0f) / 100.0f;
    if (speed > 0.0f) {
        float& current = CurrentValues(status)[kSpeedStat];
        if (!absolute) speed = speed + current;
        current = speed;
    }
    if (category == kAerial) {
        SetBitIfDifferent(creature, kCanIgnoreWater, entry.value("FlyInWater", false));
        SetBitIfDifferent(creature, kFlyerAllowCaves, entry.value("FlyInCaves", false));
    }
    Scale(RunningStaminaConsumption(status), entry.value("StaminaConsumptionMultiplier", 1.0f));
    Scale(RecoveryRates(status)[kStaminaStat], entry.value("StaminaRecoveryMultiplier", 1.0f));
    if (entry.value("InfiniteWeight", false)) {
        WriteBitField(status, kInfiniteWeight, 1);
        WriteBitField(status, kForceRefreshWeight, 1);
    }
    if (IsMegalosaurus(category, path)) {
        const float sleep_multiplier = entry.value("MegalosaurusSleepDebtMultiplier", 1.0f);
        if (!(sleep_multiplier == 1.0f)) {
            SetSleepProperty(creature, "currentSleepDebt", 0.0f);
            SetSleepProperty(creature, "sleepDebtMultiplier_Add", sleep_multiplier);
        }
        if (entry.value("MegalosaurusRemoveGroggyBuff", false)) RemoveOneNocturnalBuff(creature);
    }
}

// What speed application and restoration change in a creature, step by step: the speed value,
// stamina, weight, flying in water and caves, and the Megalosaurus's sleep and nocturnal buffs.
#include "plugin_fixture.h"

namespace {

using test::kMegalosaurusKey;

class SpeedEngineTest : public test::PluginTest {
protected:
    // Loads `entry` as the "All" entry and returns a player riding `creature`.
    sim::Player& RideWith(const std::string& entry, sim::Creature& creature, const std::string& extra = "") {
        Load(R"({"Dinos": {"All": )" + entry + "}" + extra + "}");
        auto& player = NewPlayer("rider" + std::to_string(players_));
        Ride(player, creature);
        return player;
    }
    void Speed(sim::Player& player) { Chat(player, "/speed"); }
    void Unspeed(sim::Player& player) { Chat(player, "/unspeed"); }
};

TEST_F(SpeedEngineTest, SpeedPercentageAddsOrSets) {
    auto& raptor = Raptor();
    auto& player = RideWith(R"({"SpeedPercentage": 50})", raptor);
    Speed(player);
    EXPECT_EQ(test::PluginTest::Speed(raptor), 1.5f);
    Speed(player);
    EXPECT_EQ(test::PluginTest::Speed(raptor), 1.5f) << "every application starts from the base";
    // Restore + the application's own rescale and sync, each time.
    EXPECT_EQ(raptor.status->rescales, 4);
    EXPECT_EQ(raptor.status->syncs, 4);
}

TEST_F(SpeedEngineTest, AbsoluteSpeedSetsTheValueWhateverItWas) {
    auto& raptor = Raptor();
    auto& player = RideWith(R"({"AbsoluteSpeedPercentage": true, "SpeedPercentage": 150})", raptor);
    raptor.status->current[sim::kStatSpeed] = 7.0f;
    Speed(player);
    EXPECT_EQ(test::PluginTest::Speed(raptor), 1.5f);
}

TEST_F(SpeedEngineTest, ZeroOrNegativePercentagesLeaveTheRescaledSpeed) {
    for (const char* entry : {R"({"SpeedPercentage": 0, "StaminaConsumptionMultiplier": 2})",
                              R"({"AbsoluteSpeedPercentage": true, "SpeedPercentage": -20, "StaminaConsumptionMultiplier": 2})"}) {
        SCOPED_TRACE(entry);
        auto& raptor = Raptor("raptor" + std::to_string(players_));
        auto& player = RideWith(entry, raptor);
        raptor.status->current[sim::kStatSpeed] = 3.0f;
        Speed(player);
        EXPECT_EQ(test::PluginTest::Speed(raptor), 1.0f);
        EXPECT_EQ(StaminaConsumption(raptor), 20.0f) << "the other steps still run";
        server_.UnloadPlugin();
    }
}

TEST_F(SpeedEngineTest, StaminaMultipliersScaleFromTheDefaults) {
    auto& raptor = Raptor();
    auto& player = RideWith(R"({"StaminaConsumptionMultiplier": 0.5, "StaminaRecoveryMultiplier": 3})", raptor);
    Speed(player);
    Speed(player);
    EXPECT_EQ(StaminaConsumption(raptor), 5.0f);
    EXPECT_EQ(StaminaRecovery(raptor), 15.0f);
    Unspeed(player);
    EXPECT_EQ(StaminaConsumption(raptor), 10.0f);
    EXPECT_EQ(StaminaRecovery(raptor), 5.0f);
}

TEST_F(SpeedEngineTest, AZeroConsumptionMultiplierStopsStaminaUse) {
    auto& raptor = Raptor();
    auto& player = RideWith(R"({"StaminaConsumptionMultiplier": 0})", raptor);
    Speed(player);
    EXPECT_EQ(StaminaConsumption(raptor), 0.0f);
}

TEST_F(SpeedEngineTest, InfiniteWeightIsSwitchedOnAndRestoredFromTheDefault) {
    auto& raptor = Raptor();
    auto& player = RideWith(R"({"InfiniteWeight": true})", raptor);
    const std::uint32_t other_bits = raptor.status->flags & ~((1u << sim::bits::kInfiniteWeight) |
                                                              (1u << sim::bits::kForceRefreshWeight));
    Speed(player);
    EXPECT_TRUE(InfiniteWeight(raptor));
    EXPECT_TRUE(ForceRefreshWeight(raptor));
    Unspeed(player);
    EXPECT_FALSE(InfiniteWeight(raptor));
    EXPECT_TRUE(ForceRefreshWeight(raptor));
    EXPECT_EQ(raptor.status->flags & ~((1u << sim::bits::kInfiniteWeight) | (1u << sim::bits::kForceRefreshWeight)),
              other_bits);
}

TEST_F(SpeedEngineTest, InfiniteWeightFalseKeepsWhatTheClassDefaultSays) {
    sim::CreatureClass heavy{"/Game/Heavy_C"};
    heavy.infinite_weight = true;
    auto& creature = world().Spawn("heavy", heavy);
    auto& player = RideWith(R"({"InfiniteWeight": false})", creature);
    creature.status->flags &= ~(1u << sim::bits::kInfiniteWeight);
    Speed(player);
    EXPECT_TRUE(InfiniteWeight(creature));
}

TEST_F(SpeedEngineTest, FlyersGetWaterAndCavesAsTheEntrySays) {
    auto& ptera = Ptera();
    auto& player = RideWith(R"({"FlyInWater": true, "FlyInCaves": true})", ptera);
    Speed(player);
    EXPECT_TRUE(CanIgnoreWater(ptera));
    EXPECT_TRUE(FlyerAllowCaves(ptera));
    Unspeed(player);
    EXPECT_FALSE(CanIgnoreWater(ptera)) << "back to bAllowRidingInWater";
    EXPECT_FALSE(FlyerAllowCaves(ptera)) << "back to the game mode's bForceAllowCaveFlyers";
}

TEST_F(SpeedEngineTest, AnEmptyEntryClearsAFlyersWaterAndCaves) {
    sim::CreatureClass flyer{"/Game/Argent_C"};
    flyer.flyer = true;
    flyer.allow_riding_in_water = true;
    auto& argent = world().Spawn("argent", flyer);
    world().SetCaveFlyers(true);
    auto& player = RideWith("{}", argent);
    Speed(player);
    EXPECT_FALSE(CanIgnoreWater(argent));
    EXPECT_FALSE(FlyerAllowCaves(argent));
    Unspeed(player);
    EXPECT_TRUE(CanIgnoreWater(argent));
    EXPECT_TRUE(FlyerAllowCaves(argent));
}

TEST_F(SpeedEngineTest, WalkersAndSwimmersKeepTheirFlyerBits) {
    sim::CreatureClass swimmer{"/Game/Mosa_C"};
    swimmer.water = true;
    auto& mosa = world().Spawn("mosa", swimmer);
    auto& raptor = Raptor();
    Load(R"({"Dinos": {"All": {"FlyInWater": true, "FlyInCaves": true, "SpeedPercentage": 20}}})");
    for (auto* creature : {&mosa, &raptor}) {
        sim::bits::Set(creature->object->character.flags, sim::bits::kCanIgnoreWater, true);
        auto& player = NewPlayer(creature->name + "-rider");
        Ride(player, *creature);
        Chat(player, "/speed");
        Chat(player, "/unspeed");
        EXPECT_TRUE(CanIgnoreWater(*creature)) << creature->name;
        EXPECT_FALSE(FlyerAllowCaves(*creature)) << creature->name;
    }
}

TEST_F(SpeedEngineTest, AFlyerThatIsAlsoAWaterCreatureCountsAsAerial) {
    sim::CreatureClass both{"/Game/Both_C"};
    both.flyer = both.water = true;
    auto& creature = world().Spawn("both", both);
    Load(R"({"Dinos": {"Aquatic": {"SpeedPercentage": 10}, "Aerial": {"SpeedPercentage": 40}}})");
    auto& player = NewPlayer("ada");
    Ride(player, creature);
    Chat(player, "/speed");
    EXPECT_FLOAT_EQ(test::PluginTest::Speed(creature), 1.4f);
}

class MegalosaurusTest : public SpeedEngineTest {
protected:
    sim::Creature& megalo_ = Megalosaurus();
    float SleepDebt() const { return megalo_.object->dino.current_sleep_debt; }
    float SleepMultiplier() const { return megalo_.object->dino.sleep_debt_multiplier; }
};

TEST_F(MegalosaurusTest, SleepDebtIsClearedAndTheMultiplierSet) {
    auto& player = RideWith(R"({"MegalosaurusSleepDebtMultiplier": 2.0})", megalo_);
    megalo_.object->dino.current_sleep_debt = 40.0f;
    Speed(player);
    EXPECT_EQ(SleepDebt(), 0.0f);
    EXPECT_EQ(SleepMultiplier(), 2.0f);
    megalo_.object->dino.current_sleep_debt = 40.0f;
    Unspeed(player);
    EXPECT_EQ(SleepDebt(), 0.0f);
    EXPECT_EQ(SleepMultiplier(), 1.0f);
}

TEST_F(MegalosaurusTest, RestorationAlwaysResetsTheSleepValues) {
    auto& player = RideWith(R"({"MegalosaurusSleepDebtMultiplier": 1.0})", megalo_);
    megalo_.object->dino.current_sleep_debt = 40.0f;
    megalo_.object->dino.sleep_debt_multiplier = 3.0f;
    Unspeed(player);
    EXPECT_EQ(SleepDebt(), 0.0f);
    EXPECT_EQ(SleepMultiplier(), 1.0f);
}

TEST_F(MegalosaurusTest, OneNocturnalBuffGoesPerApplicationInArrayOrder) {
    world().AddBuff(megalo_, "Buff_Wet_C_3");
    world().AddBuff(megalo_, "Buff_NocturnalState_SleepDeprived_C_12");
    world().AddBuff(megalo_, "buff_nocturnalstate_groggy_c_2");
    auto& player = RideWith(R"({"MegalosaurusRemoveGroggyBuff": true})", megalo_);
    Speed(player);
    EXPECT_EQ(world().BuffNames(megalo_),
              (std::vector<std::string>{"Buff_Wet_C_3", "buff_nocturnalstate_groggy_c_2"}));
    Speed(player);
    EXPECT_EQ(world().BuffNames(megalo_), (std::vector<std::string>{"Buff_Wet_C_3"}));
    Speed(player);
    EXPECT_EQ(world().BuffNames(megalo_), (std::vector<std::string>{"Buff_Wet_C_3"}));
}

TEST_F(MegalosaurusTest, OnlyTerrestrialCreaturesCountAsMegalosaurus) {
    sim::CreatureClass swimming{"/Game/Aberrant_MEGALOSAURUS_Character_BP.Aberrant_MEGALOSAURUS_Character_BP_C"};
    swimming.water = true;
    auto& aquatic = world().Spawn("aquatic-megalo", swimming);
    auto& player = RideWith(R"({"MegalosaurusSleepDebtMultiplier": 5.0})", aquatic);
    aquatic.object->dino.sleep_debt_multiplier = 3.0f;
    Speed(player);
    Unspeed(player);
    EXPECT_EQ(aquatic.object->dino.sleep_debt_multiplier, 3.0f);
}

TEST_F(MegalosaurusTest, AFailedPropertyWriteIsLoggedAndStopsTheApplication) {
    auto& player = RideWith(R"({"MegalosaurusSleepDebtMultiplier": 2.0, "SpeedPercentage": 50})", megalo_);
    world().sleep_property_size = 8;
    Speed(player);
    EXPECT_EQ(ErrorLines(), (std::vector<std::string>{
                                "OnSpeedCommand: Expected size does not match property size."}));
    EXPECT_EQ(megalo_.status->rescales, 0) << "the restoration stopped before its rescale";
    EXPECT_TRUE(player.notifications.empty());
}

}  // namespace

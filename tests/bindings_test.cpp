// Game objects reached by name in the simulated world: packed booleans, reflected float
// properties, blueprint paths, names, weak pointers and colours.
#include "host/bindings.h"

#include <cmath>

#include "host/color.h"
#include "host/text.h"
#include "test_support.h"

namespace {

using BindingsTest = test::ServerTest;

sim::CreatureClass Raptor() {
    return {"/Game/PrimalEarth/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP_C"};
}

TEST_F(BindingsTest, BitReadsSeeOnlyTheirBitAndWritesLeaveNeighboursAlone) {
    auto& creature = server_.world().Spawn("rex", {"/Game/Rex_C", /*flyer=*/true});
    const std::uint32_t before = creature.object->character.flags;
    EXPECT_EQ(ReadBitField(creature.object, "APrimalCharacter.bIsFlyerDino"), 1u);
    EXPECT_EQ(ReadBitField(creature.object, "APrimalCharacter.bIsWaterDino"), 0u);
    EXPECT_EQ(ReadBitField(creature.object, "APrimalCharacter.bCanIgnoreWater"), 0u);

    WriteBitField(creature.object, "APrimalCharacter.bCanIgnoreWater", 1);
    EXPECT_EQ(creature.object->character.flags, before | (1u << sim::bits::kCanIgnoreWater));
    WriteBitField(creature.object, "APrimalCharacter.bCanIgnoreWater", 0);
    EXPECT_EQ(creature.object->character.flags, before);
}

TEST_F(BindingsTest, WideBitFieldsUseTheirCountAndOffset) {
    auto& creature = server_.world().Spawn("rex", Raptor());
    server_.host().names.AddBit("Test.ThreeBits", offsetof(sim::DinoLayout, dino.flags), 29, 3);
    creature.object->dino.flags = 0x1FFFFFFFu;
    EXPECT_EQ(ReadBitField(creature.object, "Test.ThreeBits"), 0u);
    WriteBitField(creature.object, "Test.ThreeBits", 5);
    EXPECT_EQ(ReadBitField(creature.object, "Test.ThreeBits"), 5u);
    EXPECT_EQ(creature.object->dino.flags, 0xBFFFFFFFu);
}

class SleepPropertyTest : public BindingsTest {
protected:
    sim::Creature& megalosaurus_ = server_.world().Spawn(
        "megalo", {"/Game/PrimalEarth/Dinos/Megalosaurus/Megalosaurus_Character_BP.Megalosaurus_Character_BP_C"});
    UProperty* Property(const std::string& name) {
        return reinterpret_cast<UObject*>(megalosaurus_.object)->FindProperty(MakeFName(name));
    }
    std::string Failure(UProperty* property, float value) {
        try {
            SetFloatProperty(property, megalosaurus_.object, value);
        } catch (const std::invalid_argument& error) {
            return error.what();
        }
        return "";
    }
};

TEST_F(SleepPropertyTest, WritesTheFloatAtThePropertysOffset) {
    megalosaurus_.object->dino.current_sleep_debt = 7.5f;
    EXPECT_EQ(Failure(Property("currentSleepDebt"), 0.0f), "");
    EXPECT_EQ(megalosaurus_.object->dino.current_sleep_debt, 0.0f);
    EXPECT_EQ(Failure(Property("sleepDebtMultiplier_Add"), 2.0f), "");
    EXPECT_EQ(megalosaurus_.object->dino.sleep_debt_multiplier, 2.0f);
    EXPECT_EQ(Property("noSuchProperty"), nullptr);
    auto& raptor = server_.world().Spawn("raptor", Raptor());
    EXPECT_EQ(reinterpret_cast<UObject*>(raptor.object)->FindProperty(MakeFName("currentSleepDebt")), nullptr);
}

TEST_F(SleepPropertyTest, ASizeMismatchThrowsAndWritesNothing) {
    server_.world().sleep_property_size = 8;
    megalosaurus_.object->dino.current_sleep_debt = 7.5f;
    EXPECT_EQ(Failure(Property("currentSleepDebt"), 0.0f), "Expected size does not match property size.");
    EXPECT_EQ(megalosaurus_.object->dino.current_sleep_debt, 7.5f);
}

TEST_F(SleepPropertyTest, TheClassTestComesFirstAndWritesNothing) {
    server_.world().sleep_property_size = 8;
    server_.world().has_property_answer = false;
    megalosaurus_.object->dino.current_sleep_debt = 7.5f;
    EXPECT_EQ(Failure(Property("currentSleepDebt"), 0.0f), "Object does not contain this property.");
    EXPECT_EQ(megalosaurus_.object->dino.current_sleep_debt, 7.5f);
}

TEST_F(BindingsTest, BlueprintPathDropsTheClassSuffixAndQuotes) {
    auto& world = server_.world();
    EXPECT_EQ(FStringToUtf8(GetBlueprintPath(world.Spawn("raptor", Raptor()).object)),
              "Blueprint'/Game/PrimalEarth/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP'");
    EXPECT_EQ(FStringToUtf8(GetBlueprintPath(world.Spawn("six", {"/Ab_CD"}).object)), "Blueprint'/Ab_'");
    EXPECT_EQ(FStringToUtf8(GetBlueprintPath(world.Spawn("two", {"_C"}).object)), "Blueprint''");
    FString none = GetBlueprintPath(world.SpawnClassless("nothing").object);
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(none.Data(), nullptr);
}

TEST_F(BindingsTest, NamesRoundTripAndWeakPointersLapse) {
    EXPECT_EQ(FStringToUtf8(FNameToFString(MakeFName("Buff_NocturnalState_Groggy_C"))),
              "Buff_NocturnalState_Groggy_C");
    auto& player = server_.world().Connect("ada", 7, {});
    const FWeakObjectPtr weak = player.controller->last_controlled_character;
    EXPECT_EQ(GetWeakObject(&weak), reinterpret_cast<UObject*>(player.character));
    server_.world().Disconnect("ada");
    EXPECT_EQ(GetWeakObject(&weak), nullptr);
}

TEST_F(BindingsTest, SrgbTableKeepsTheGamesTellingEntries) {
    EXPECT_EQ(SrgbToLinear(0), 0.0);
    EXPECT_EQ(SrgbToLinear(1), 0.000303526983548838);
    EXPECT_EQ(SrgbToLinear(10), 0.00303526983548838);
    EXPECT_EQ(SrgbToLinear(128), 0.215860498718652);
    EXPECT_EQ(SrgbToLinear(254), 0.991102093719252);
    EXPECT_EQ(SrgbToLinear(255), 1.0);
    for (int v = 0; v < 256; ++v) {
        const double c = v / 255.0;
        const double exact = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        EXPECT_NEAR(SrgbToLinear(std::uint8_t(v)), exact, 3.4e-9) << v;
    }
    const LinearColor green = LinearColorFromColor({0, 255, 0, 255});
    EXPECT_EQ(green.r, 0.0f);
    EXPECT_EQ(green.g, 1.0f);
    EXPECT_EQ(green.b, 0.0f);
    EXPECT_EQ(green.a, 255 * 0.003921569f);
    EXPECT_EQ(LinearColorFromColor({0, 0, 128, 0}).r, 0.215860498718652f);
}

}  // namespace

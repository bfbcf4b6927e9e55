// The "/speed" and "/unspeed" chat commands end to end: riding checks, vehicles, which entry is
// selected, permission entries, and the answers players get.
#include "plugin_fixture.h"

namespace {

using test::kRaptorKey;

class SpeedCommandTest : public test::PluginTest {
protected:
    void LoadDinos(const std::string& dinos, const std::string& extra = "") {
        Load(R"({"Dinos": )" + dinos + extra +
             R"(, "Messages": {"OnSpeedCmd": {"Msg": "Fast"}, "OnUnspeedCmd": {"Msg": "Slow"}}})");
    }
};

TEST_F(SpeedCommandTest, APlayerOnFootChangesNothingAndHearsNothing) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50}})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    EXPECT_TRUE(Chat(player, "/speed"));
    EXPECT_TRUE(Chat(player, "/unspeed"));
    EXPECT_EQ(Speed(raptor), 1.0f);
    EXPECT_EQ(raptor.status->rescales, 0);
    EXPECT_TRUE(world().deliveries.empty());
}

TEST_F(SpeedCommandTest, TheBlueprintEntryBeatsAllAndOneMessageIsSent) {
    LoadDinos(R"({"All": {"SpeedPercentage": 10}, ")" + kRaptorKey + R"(": {"SpeedPercentage": 50}})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    EXPECT_TRUE(Chat(player, "/speed"));
    EXPECT_EQ(Speed(raptor), 1.5f);
    ASSERT_EQ(player.notifications.size(), 1u);
    EXPECT_EQ(player.notifications[0].text, "Fast");
    EXPECT_TRUE(player.chats.empty());
}

TEST_F(SpeedCommandTest, TheCategoryBeatsAllAndOtherCategoriesFallThrough) {
    LoadDinos(R"({"Aerial": {"SpeedPercentage": 30}, "All": {"SpeedPercentage": 10}})");
    auto& flyer_rider = NewPlayer("ada");
    auto& walker_rider = NewPlayer("bob");
    auto& ptera = Ptera();
    auto& raptor = Raptor();
    Ride(flyer_rider, ptera);
    Ride(walker_rider, raptor);
    Chat(flyer_rider, "/speed");
    Chat(walker_rider, "/speed");
    EXPECT_FLOAT_EQ(Speed(ptera), 1.3f);
    EXPECT_FLOAT_EQ(Speed(raptor), 1.1f);
}

TEST_F(SpeedCommandTest, KeysCompareExactlyAndNullEntriesCountAsAbsent) {
    std::string lower = kRaptorKey;
    lower[0] = 'b';
    LoadDinos(R"({")" + lower + R"(": {"SpeedPercentage": 50}, "All": null})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    Chat(player, "/speed");
    EXPECT_EQ(Speed(raptor), 1.0f);
    EXPECT_TRUE(player.notifications.empty());

    server_.WriteConfig(R"({"Dinos": {")" + kRaptorKey +
                        R"(": null, "All": {"SpeedPercentage": 20}}, "Messages": {}})");
    server_.host().commands.RunConsole(nullptr, "Kestravel.Reload");
    Chat(player, "/speed");
    EXPECT_FLOAT_EQ(Speed(raptor), 1.2f);
}

TEST_F(SpeedCommandTest, ChatTextAfterTheCommandDoesNotMatter) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50}})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    EXPECT_TRUE(server_.host().commands.RunChat(Controller(player), "/SPEED right now",
                                                EChatSendMode::LocalChat));
    EXPECT_EQ(Speed(raptor), 1.5f);
}

TEST_F(SpeedCommandTest, VehiclesAreNeverSpedUpButUnspeedStillAnswers) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50}})");
    auto& player = NewPlayer("ada");
    sim::CreatureClass raft{"/Game/PrimalEarth/Vehicles/Raft_BP.Raft_BP_C"};
    raft.vehicle = true;
    auto& vehicle = world().Spawn("raft", raft);
    Ride(player, vehicle);
    Chat(player, "/speed");
    EXPECT_EQ(Speed(vehicle), 1.0f);
    EXPECT_TRUE(player.notifications.empty());
    Chat(player, "/unspeed");
    EXPECT_EQ(vehicle.status->rescales, 0) << "restoration leaves a vehicle alone";
    ASSERT_EQ(player.notifications.size(), 1u);
    EXPECT_EQ(player.notifications[0].text, "Slow");
}

TEST_F(SpeedCommandTest, UnspeedRestoresOnlyWhileAnEntryIsSelected) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50, "StaminaConsumptionMultiplier": 0.5}})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    Chat(player, "/speed");
    EXPECT_EQ(StaminaConsumption(raptor), 5.0f);
    Chat(player, "/unspeed");
    EXPECT_EQ(Speed(raptor), 1.0f);
    EXPECT_EQ(StaminaConsumption(raptor), 10.0f);
    ASSERT_EQ(player.notifications.size(), 2u);
    EXPECT_EQ(player.notifications[1].text, "Slow");

    Chat(player, "/speed");
    server_.WriteConfig(R"({"Dinos": {}, "Messages": {"OnUnspeedCmd": {"Msg": "Slow"}}})");
    server_.host().commands.RunConsole(nullptr, "Kestravel.Reload");
    Chat(player, "/unspeed");
    EXPECT_EQ(Speed(raptor), 1.5f) << "no entry now: the creature keeps its changed values";
    EXPECT_EQ(player.notifications.size(), 3u);
}

class PermissionCommandTest : public SpeedCommandTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.SetPermissionsPlugin(true));
        LoadDinos(R"({"All": {"SpeedPercentage": 10}})",
                  R"(, "EnablePermissions": true, "Permissions": {
                         "VIP": {"Dinos": {"All": {"SpeedPercentage": 100}}},
                         "Admins": {"Dinos": {"All": {"SpeedPercentage": 200}}},
                         "Guests": {}})");
    }

};

TEST_F(PermissionCommandTest, TheSendersGroupsPickTheEntryFirstInTheFile) {
    EXPECT_EQ(SpeedFromCommand({"Admins"}), 3.0f);
    EXPECT_EQ(SpeedFromCommand({"Admins", "VIP"}), 2.0f);
    EXPECT_EQ(SpeedFromCommand({"vip"}), 2.0f);
}

TEST_F(PermissionCommandTest, WithoutAMatchingEntryOrItsDinosNobodyGetsSettings) {
    EXPECT_EQ(SpeedFromCommand({}), 1.0f) << "the top-level All is not consulted in permissions mode";
    EXPECT_EQ(SpeedFromCommand({"Builders"}), 1.0f);
    EXPECT_EQ(SpeedFromCommand({"Guests"}), 1.0f);
    for (const auto& player : world().Players()) EXPECT_TRUE(player->notifications.empty());
}

}  // namespace

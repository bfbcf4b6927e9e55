// Automatic speed on mount and restoration on dismount: the game's own function always runs
// once and first, only the selected entry's auto keys count, and the answer goes to the rider.
#include "plugin_fixture.h"

namespace {

using test::kRaptorKey;

class MountHooksTest : public test::PluginTest {
protected:
    void LoadDinos(const std::string& dinos) {
        Load(R"({"Dinos": )" + dinos +
             R"(, "Messages": {"OnAutoSpeed": {"Msg": "Mounted", "Type": "Chat"},
                              "OnAutoUnspeed": {"Msg": "Dismounted"}}})");
    }
};

TEST_F(MountHooksTest, MountingAppliesTheEntryThatAsksForIt) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50, "AutoSpeedOnMount": true}})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    EXPECT_EQ(world().set_rider_calls, 1);
    EXPECT_EQ(raptor.object->dino.rider, player.character) << "the game's SetRider ran";
    EXPECT_EQ(Speed(raptor), 1.5f);
    ASSERT_EQ(player.chats.size(), 1u);
    EXPECT_EQ(player.chats[0].text, "Mounted");
    EXPECT_EQ(player.chats[0].sender, "Server");
}

TEST_F(MountHooksTest, WithoutTheKeyMountingChangesNothing) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50, "AutoSpeedOnMount": false}})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    EXPECT_EQ(Speed(raptor), 1.0f);
    EXPECT_EQ(raptor.status->rescales, 0);
    EXPECT_TRUE(world().deliveries.empty());
}

TEST_F(MountHooksTest, OnlyTheSelectedEntrysKeyCounts) {
    LoadDinos(R"({")" + kRaptorKey + R"(": {"SpeedPercentage": 50},
                 "All": {"SpeedPercentage": 20, "AutoSpeedOnMount": true}})");
    auto& ada = NewPlayer("ada");
    auto& bob = NewPlayer("bob");
    auto& raptor = Raptor();
    auto& ptera = Ptera();
    Ride(ada, raptor);
    Ride(bob, ptera);
    EXPECT_EQ(Speed(raptor), 1.0f) << "its blueprint entry lacks AutoSpeedOnMount";
    EXPECT_FLOAT_EQ(Speed(ptera), 1.2f);
}

TEST_F(MountHooksTest, DismountingRestoresAndAnswersTheRiderWhoLeft) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50, "AutoSpeedOnMount": true, "AutoUnspeedOnDismount": true}})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    world().Dismount(player);
    EXPECT_EQ(world().clear_rider_calls, 1);
    EXPECT_EQ(raptor.object->dino.rider, nullptr);
    EXPECT_EQ(Speed(raptor), 1.0f);
    ASSERT_EQ(player.notifications.size(), 1u);
    EXPECT_EQ(player.notifications[0].text, "Dismounted");
}

TEST_F(MountHooksTest, DismountRestoresACreatureSpedUpByCommandToo) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50, "AutoUnspeedOnDismount": true}})");
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    Chat(player, "/speed");
    EXPECT_EQ(Speed(raptor), 1.5f);
    world().Dismount(player);
    EXPECT_EQ(Speed(raptor), 1.0f);
}

TEST_F(MountHooksTest, ClearRiderWithoutARiderOnlyRunsTheGame) {
    LoadDinos(R"({"All": {"AutoUnspeedOnDismount": true}})");
    auto& raptor = Raptor();
    world().ClearRider(raptor);
    world().ClearRider(raptor);
    EXPECT_EQ(world().clear_rider_calls, 2);
    EXPECT_EQ(raptor.status->rescales, 0);
    EXPECT_TRUE(world().deliveries.empty());
}

TEST_F(MountHooksTest, AVehicleIsNotChangedButTheRiderIsStillTold) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50, "AutoSpeedOnMount": true}})");
    sim::CreatureClass raft{"/Game/Raft_C"};
    raft.vehicle = true;
    auto& vehicle = world().Spawn("raft", raft);
    auto& player = NewPlayer("ada");
    Ride(player, vehicle);
    EXPECT_EQ(Speed(vehicle), 1.0f);
    EXPECT_EQ(vehicle.status->rescales, 0);
    EXPECT_EQ(player.chats.size(), 1u);
}

TEST_F(MountHooksTest, TheRidersGroupsDecideInPermissionsMode) {
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    Load(R"({"EnablePermissions": true, "Permissions": {
              "VIP": {"Dinos": {"All": {"SpeedPercentage": 100, "AutoSpeedOnMount": true}}}}})");
    auto& vip = NewPlayer("vip", {"VIP"});
    auto& guest = NewPlayer("guest", {"Guest"});
    auto& first = Raptor("first");
    auto& second = Raptor("second");
    Ride(vip, first);
    Ride(guest, second);
    EXPECT_EQ(Speed(first), 2.0f);
    EXPECT_EQ(Speed(second), 1.0f);
}

TEST_F(MountHooksTest, ARiderWhoLeavesOrACreatureThatIsGoneBreaksNothing) {
    LoadDinos(R"({"All": {"SpeedPercentage": 50, "AutoSpeedOnMount": true, "AutoUnspeedOnDismount": true}})");
    auto& ada = NewPlayer("ada");
    auto& bob = NewPlayer("bob");
    auto& first = Raptor("first");
    auto& second = Raptor("second");
    Ride(ada, first);
    Ride(bob, second);
    world().Disconnect("ada");
    world().ClearRider(first);
    world().Destroy("second");
    world().Dismount(bob);
    EXPECT_EQ(world().clear_rider_calls, 1);
    EXPECT_TRUE(ErrorLines().empty());
}

}  // namespace

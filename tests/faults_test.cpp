// What a live server does to a plugin: files that vanish, break or grow, a missing Permissions
// plugin, odd group lists, players and creatures that go away mid-ride, unloads while riding,
// loads at any point of the server's life. The server goes on, the settings in force stay, and
// the log says what happened.
#include <chrono>

#include "plugin_fixture.h"

namespace {

class FaultsTest : public test::PluginTest {
protected:
    static constexpr const char* kConfig = R"({"EnablePermissions": true,
        "Dinos": {"All": {"SpeedPercentage": 10, "AutoSpeedOnMount": true, "AutoUnspeedOnDismount": true}},
        "Permissions": {"VIP": {"Dinos": {"All": {"SpeedPercentage": 100, "AutoSpeedOnMount": true}}}},
        "Messages": {"OnSpeedCmd": {"Msg": "Fast"}}})";

    void Reload() { server_.host().commands.RunConsole(nullptr, "Kestravel.Reload"); }

};

TEST_F(FaultsTest, ARemovedOrUnreadableFileKeepsTheSettingsInForce) {
    Load(kConfig);
    server_.RemoveConfig();
    Reload();
    EXPECT_EQ(ErrorLines(), (std::vector<std::string>{"Error on open the config.json"}));
    EXPECT_FLOAT_EQ(SpeedFromCommand(), 1.1f);

    std::filesystem::create_directories(server_.ConfigPath());  // a folder where the file was
    Reload();
    ASSERT_EQ(ErrorLines().size(), 2u);
    EXPECT_FLOAT_EQ(SpeedFromCommand(), 1.1f);
    std::filesystem::remove(server_.ConfigPath());
}

TEST_F(FaultsTest, AFileReplacedBetweenReloadsTakesEffectWhole) {
    Load(kConfig);
    server_.WriteConfig(R"({"Dinos": {"All": {"SpeedPercentage": 40}}})");
    Reload();
    EXPECT_FLOAT_EQ(SpeedFromCommand(), 1.4f);
    server_.WriteConfig(R"({"Dinos": {"All": {"SpeedPercentage": 70}}, "Messages": )");
    Reload();
    EXPECT_FLOAT_EQ(SpeedFromCommand(), 1.4f) << "a half-written file changes nothing";
    EXPECT_EQ(ErrorLines().size(), 1u);
}

TEST_F(FaultsTest, AConfigurationOfSeveralMegabytesReloads) {
    Load("{}");
    std::string big = R"({"Dinos": {)";
    for (int i = 0; i < 20000; ++i) {
        big += "\"Blueprint'/Game/Mods/Creature" + std::to_string(i) + "/Creature_BP.Creature_BP'\": "
               "{\"SpeedPercentage\": " + std::to_string(i % 90 + 1) + ", \"StaminaConsumptionMultiplier\": 0.5, "
               "\"InfiniteWeight\": true},\n";
    }
    big += R"("All": {"SpeedPercentage": 25}}})";
    ASSERT_GT(big.size(), 2'500'000u);
    server_.WriteConfig(big);
    const auto start = std::chrono::steady_clock::now();
    Reload();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(ErrorLines().empty());
    EXPECT_LT(took, std::chrono::seconds(30)) << "the game's thread must not stall for long";
    EXPECT_FLOAT_EQ(SpeedFromCommand(), 1.25f);
    auto& player = NewPlayer("modded");
    auto& creature = world().Spawn("modded", {"/Game/Mods/Creature19999/Creature_BP.Creature_BP_C"});
    Ride(player, creature);
    Chat(player, "/speed");
    EXPECT_FLOAT_EQ(Speed(creature), 1.0f + (19999 % 90 + 1) / 100.0f);
}

TEST_F(FaultsTest, EnablePermissionsWithoutThePermissionsPluginUsesTheCommonSettings) {
    Load(kConfig);
    EXPECT_FLOAT_EQ(SpeedFromCommand({"VIP"}), 1.1f);
    EXPECT_TRUE(ErrorLines().empty());
}

TEST_F(FaultsTest, APermissionsPluginThatGoesAwayLeavesPlayersWithoutGroups) {
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    Load(kConfig);
    EXPECT_EQ(SpeedFromCommand({"VIP"}), 2.0f);
    server_.SetPermissionsPlugin(false);
    EXPECT_EQ(SpeedFromCommand({"VIP"}), 1.0f);
    EXPECT_EQ(SpeedFromCommand({"VIP"}), 1.0f);
    ASSERT_EQ(ErrorLines().size(), 1u) << "one line says why";
    EXPECT_NE(ErrorLines()[0].find("Permissions"), std::string::npos);
}

TEST_F(FaultsTest, EmptyLongAndBlankGroupListsAreHandled) {
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    Load(kConfig);
    EXPECT_EQ(SpeedFromCommand({}), 1.0f);
    EXPECT_EQ(SpeedFromCommand({"", "", ""}), 1.0f);
    std::vector<std::string> many(5000, "Builder");
    many.push_back("VIP");
    EXPECT_EQ(SpeedFromCommand(many), 2.0f);
    EXPECT_TRUE(ErrorLines().empty());
}

TEST_F(FaultsTest, APlayerWhoDisconnectsWhileRidingBreaksNothing) {
    Load(kConfig);
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    EXPECT_FLOAT_EQ(Speed(raptor), 1.1f);
    world().Disconnect("ada");
    world().ClearRider(raptor);
    EXPECT_FLOAT_EQ(Speed(raptor), 1.1f) << "nobody rode it any more: nothing to restore for";
    auto& bob = NewPlayer("bob");
    Ride(bob, raptor);
    world().Dismount(bob);
    EXPECT_EQ(Speed(raptor), 1.0f);
}

TEST_F(FaultsTest, ACreatureDestroyedBetweenMountAndDismount) {
    Load(kConfig);
    auto& player = NewPlayer("ada");
    Ride(player, Raptor());
    world().Destroy("raptor");
    world().Dismount(player);
    EXPECT_TRUE(Chat(player, "/speed"));
    EXPECT_TRUE(Chat(player, "/unspeed"));
    EXPECT_EQ(world().clear_rider_calls, 0);
    EXPECT_TRUE(player.notifications.empty());
}

TEST_F(FaultsTest, ClearRiderTwiceRestoresOnce) {
    Load(kConfig);
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    const int rescales = raptor.status->rescales;
    world().ClearRider(raptor);
    world().ClearRider(raptor);
    EXPECT_EQ(world().clear_rider_calls, 2);
    EXPECT_EQ(raptor.status->rescales, rescales + 1);
}

TEST_F(FaultsTest, UnloadWhilePlayersRideLeavesTheGameToItself) {
    Load(kConfig);
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    Ride(player, raptor);
    server_.UnloadPlugin();
    EXPECT_TRUE(server_.host().hooks.InstalledHooks().empty());
    EXPECT_FALSE(Chat(player, "/speed"));
    world().Dismount(player);
    EXPECT_EQ(world().clear_rider_calls, 1);
    EXPECT_FLOAT_EQ(Speed(raptor), 1.1f) << "no plugin, no restoration";
    EXPECT_EQ(server_.host().heap.Blocks(), 0u);
}

TEST_F(FaultsTest, LoadingWhileTheServerStartsOrRuns) {
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    Load(kConfig);  // status 0: the server-start hook decides later
    server_.Start();
    EXPECT_EQ(SpeedFromCommand({"VIP"}), 2.0f);
    server_.UnloadPlugin();
    Load(kConfig);  // status 1 now: decided at once
    EXPECT_EQ(SpeedFromCommand({"VIP"}), 2.0f);
    server_.Start();
    EXPECT_EQ(world().init_game_calls, 2);
}

TEST_F(FaultsTest, AThousandCyclesWithPlayersRiding) {
    server_.WriteConfig(kConfig);
    auto& player = NewPlayer("ada");
    auto& raptor = Raptor();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(server_.LoadPlugin());
        Ride(player, raptor);
        world().Dismount(player);
        server_.UnloadPlugin();
    }
    EXPECT_EQ(world().set_rider_calls, 1000);
    EXPECT_EQ(world().clear_rider_calls, 1000);
    EXPECT_EQ(server_.host().heap.Blocks(), 0u);
}

}  // namespace

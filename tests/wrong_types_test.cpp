// A configuration of the wrong shape under every key a callback reads: each callback logs one
// error line naming itself, the game's own function still runs exactly once, and the server
// goes on.
#include "plugin_fixture.h"

namespace {

struct Case {
    std::string config;
    std::string expected;  // the logged line
};

class WrongTypesTest : public test::PluginTest {
protected:
    // Loads `config` with the Permissions plugin present and runs every entry point once on a
    // creature made by `spawn`; returns the error lines.
    std::vector<std::string> RunAll(const std::string& config, bool megalosaurus = false,
                                    bool flyer = false) {
        EXPECT_TRUE(server_.SetPermissionsPlugin(true));
        server_.WriteConfig(config);
        std::string error;
        EXPECT_TRUE(server_.LoadPlugin(&error)) << error;
        auto& player = NewPlayer("p" + std::to_string(players_), {"VIP"});
        auto& creature = megalosaurus ? Megalosaurus("m" + std::to_string(players_))
                         : flyer      ? Ptera("f" + std::to_string(players_))
                                      : Raptor("r" + std::to_string(players_));
        const int set_rider = world().set_rider_calls;
        const int clear_rider = world().clear_rider_calls;
        Ride(player, creature);
        Chat(player, "/speed");
        Chat(player, "/unspeed");
        world().Dismount(player);
        EXPECT_EQ(world().set_rider_calls, set_rider + 1);
        EXPECT_EQ(world().clear_rider_calls, clear_rider + 1);
        EXPECT_EQ(creature.object->dino.rider, nullptr);
        auto lines = ErrorLines();
        server_.UnloadPlugin();
        server_.host().sink->Clear();
        return lines;
    }
};

std::string Entry(const std::string& key_and_value) {
    return R"({"Dinos": {"All": {"AutoSpeedOnMount": true, "AutoUnspeedOnDismount": true, )" +
           key_and_value + "}}}";
}

TEST_F(WrongTypesTest, SectionsOfTheWrongShape) {
    const std::string dinos = "[json.exception.type_error.306] cannot use value() with array";
    EXPECT_EQ(RunAll(R"({"Dinos": []})"),
              (std::vector<std::string>{"SetRiderHook: " + dinos, "OnSpeedCommand: " + dinos,
                                        "OnUnspeedCommand: " + dinos, "ClearRiderHook: " + dinos}));
    const std::string permissions =
        "[json.exception.type_error.305] cannot use operator[] with a string argument with string";
    EXPECT_EQ(RunAll(R"({"Permissions": "VIP"})").at(1), "OnSpeedCommand: " + permissions);
    EXPECT_EQ(RunAll(R"({"EnablePermissions": true, "Permissions": {"VIP": 3}})").at(1),
              "OnSpeedCommand: [json.exception.type_error.305] cannot use operator[] with a string "
              "argument with number");
    EXPECT_EQ(RunAll(R"({"EnablePermissions": true, "Permissions": {"VIP": {"Dinos": true}}})").at(1),
              "OnSpeedCommand: [json.exception.type_error.306] cannot use value() with boolean");
    EXPECT_EQ(RunAll(R"({"Dinos": {"All": 5}})").at(0),
              "SetRiderHook: [json.exception.type_error.306] cannot use value() with number");
}

TEST_F(WrongTypesTest, EveryKeyOfACreatureEntry) {
    const std::vector<std::pair<std::string, std::string>> keys = {
        {R"("AbsoluteSpeedPercentage": 1)", "boolean, but is number"},
        {R"("SpeedPercentage": "50")", "number, but is string"},
        {R"("StaminaConsumptionMultiplier": null)", "number, but is null"},
        {R"("StaminaRecoveryMultiplier": [2])", "number, but is array"},
        {R"("InfiniteWeight": 1)", "boolean, but is number"},
    };
    for (const auto& [key, type] : keys) {
        const auto lines = RunAll(Entry(key));
        ASSERT_EQ(lines.size(), 2u) << key;
        EXPECT_EQ(lines[0], "SetRiderHook: [json.exception.type_error.302] type must be " + type);
        EXPECT_EQ(lines[1], "OnSpeedCommand: [json.exception.type_error.302] type must be " + type);
    }
    for (const auto& key : {R"("FlyInWater": "yes")", R"("FlyInCaves": 0)"}) {
        EXPECT_EQ(RunAll(Entry(key), false, /*flyer=*/true).size(), 2u) << key;
        EXPECT_TRUE(RunAll(Entry(key)).empty()) << "walkers never read " << key;
    }
    for (const auto& key : {R"("MegalosaurusSleepDebtMultiplier": "2")", R"("MegalosaurusRemoveGroggyBuff": 1)"}) {
        EXPECT_EQ(RunAll(Entry(key), /*megalosaurus=*/true).size(), 2u) << key;
        EXPECT_TRUE(RunAll(Entry(key)).empty()) << key;
    }
    EXPECT_EQ(RunAll(R"({"Dinos": {"All": {"AutoSpeedOnMount": "yes", "AutoUnspeedOnDismount": 1}}})"),
              (std::vector<std::string>{
                  "SetRiderHook: [json.exception.type_error.302] type must be boolean, but is string",
                  "ClearRiderHook: [json.exception.type_error.302] type must be boolean, but is number"}));
}

TEST_F(WrongTypesTest, MessagesOfTheWrongShapeFailAfterTheEngineRan) {
    const auto lines = RunAll(R"({"Dinos": {"All": {"SpeedPercentage": 50, "AutoSpeedOnMount": true}},
                                 "Messages": ["OnSpeedCmd"]})");
    EXPECT_EQ(lines.at(0), "SetRiderHook: [json.exception.type_error.305] cannot use operator[] with a "
                           "string argument with array");
    for (const char* entry : {R"({"Msg": 1})", R"({"Msg": "x", "Type": 1})", R"({"Msg": "x", "Color": 1})",
                              R"({"Msg": "x", "Size": "1"})", R"({"Msg": "x", "Time": "1"})",
                              R"({"Msg": "x", "Type": "Chat", "Sender": 1})"}) {
        const auto message_lines = RunAll(std::string(R"({"Dinos": {"All": {}}, "Messages": {"OnSpeedCmd": )") +
                                          entry + "}}");
        ASSERT_EQ(message_lines.size(), 1u) << entry;
        EXPECT_EQ(message_lines[0].rfind("OnSpeedCommand: [json.exception.type_error.302]", 0), 0u) << entry;
    }
    EXPECT_TRUE(world().deliveries.empty());
}

}  // namespace

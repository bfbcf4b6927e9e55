// "Kestravel.Reload" from the console and over RCON, and the permissions mode at server start.
#include "host/utf.h"
#include "plugin_fixture.h"

namespace {

class ReloadTest : public test::PluginTest {
protected:
    bool Console(sim::Player* player, const std::string& command = "Kestravel.Reload") {
        auto* issuer = player == nullptr ? nullptr : reinterpret_cast<APlayerController*>(player->controller);
        return server_.host().commands.RunConsole(issuer, command);
    }

    bool Rcon(std::int32_t id, const std::string& command = "Kestravel.Reload") {
        RCONPacket packet{static_cast<std::int32_t>(command.size() + 10), id, 2,
                          FString(utf::Utf8ToUtf16<FString::Char>(command))};
        return server_.host().commands.RunRcon(world().Connection(1), &packet, world().WorldObject());
    }

    // The speed a VIP gets from "/speed": tells which settings are in force.
    float VipSpeed() { return SpeedFromCommand({"VIP"}); }

    static constexpr const char* kVipConfig = R"({"EnablePermissions": %s, "Dinos": {"All": {"SpeedPercentage": 10}},
        "Permissions": {"VIP": {"Dinos": {"All": {"SpeedPercentage": 100}}}}})";

    std::string VipConfig(bool enable) {
        std::string text = kVipConfig;
        text.replace(text.find("%s"), 2, enable ? "true" : "false");
        return text;
    }
};

void ExpectColor(const LinearColor& color, float r, float g, float b) {
    EXPECT_EQ(color.r, r);
    EXPECT_EQ(color.g, g);
    EXPECT_EQ(color.b, b);
    EXPECT_EQ(color.a, 255 * 0.003921569f);
}

TEST_F(ReloadTest, ConsoleReloadAnswersInGreenAndLogsNothing) {
    Load("{}");
    auto& admin = NewPlayer("admin");
    EXPECT_TRUE(Console(&admin));
    ASSERT_EQ(admin.directs.size(), 1u);
    EXPECT_EQ(admin.directs[0].text, "Reloaded config");
    ExpectColor(admin.directs[0].color, 0.0f, 1.0f, 0.0f);
    EXPECT_TRUE(Logs().empty());
}

TEST_F(ReloadTest, ConsoleReloadWithoutTheFileAnswersInRedAndLogsTheError) {
    Load("{}");
    auto& admin = NewPlayer("admin");
    server_.RemoveConfig();
    Console(&admin);
    ASSERT_EQ(admin.directs.size(), 1u);
    EXPECT_EQ(admin.directs[0].text, "Failed to reload config");
    ExpectColor(admin.directs[0].color, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(ErrorLines(), (std::vector<std::string>{"Error on open the config.json"}));
}

TEST_F(ReloadTest, ConsoleReloadWithoutAPlayerStillReloadsAndLogs) {
    Load(R"({"Dinos": {}})");
    server_.WriteConfig(VipConfig(false));
    Console(nullptr);
    EXPECT_EQ(VipSpeed(), 1.1f);
    server_.WriteConfig("{");
    Console(nullptr);
    EXPECT_EQ(ErrorLines().size(), 1u);
    EXPECT_TRUE(world().deliveries.empty());
}

TEST_F(ReloadTest, RconReloadAnswersWithThePacketsIdAndType0) {
    Load("{}");
    EXPECT_TRUE(Rcon(42));
    ASSERT_EQ(world().rcon_replies.size(), 1u);
    EXPECT_EQ(world().rcon_replies[0].id, 42);
    EXPECT_EQ(world().rcon_replies[0].type, 0);
    EXPECT_EQ(world().rcon_replies[0].text, "Reloaded config");
    EXPECT_TRUE(Logs().empty());
}

TEST_F(ReloadTest, RconReloadCarriesTheErrorItselfToTheClientAndTheLog) {
    Load("{}");
    server_.WriteConfig("{\"Dinos\": {,}}");
    Rcon(7);
    const std::string expected =
        "[json.exception.parse_error.101] parse error at line 1, column 12: syntax error while parsing "
        "object key - unexpected ','; expected string literal";
    ASSERT_EQ(world().rcon_replies.size(), 1u);
    EXPECT_EQ(world().rcon_replies[0].text, expected);
    EXPECT_EQ(world().rcon_replies[0].id, 7);
    EXPECT_EQ(ErrorLines(), (std::vector<std::string>{expected}));

    server_.RemoveConfig();
    Rcon(8);
    EXPECT_EQ(world().rcon_replies.at(1).text, "Error on open the config.json");
}

TEST_F(ReloadTest, AFailedReloadKeepsTheSettingsInForce) {
    Load(VipConfig(false));
    for (const char* broken : {"", "{\"Dinos\": {\"All\": {\"SpeedPercentage\": 90}", "[]",
                               R"({"EnablePermissions": "yes", "Dinos": {"All": {"SpeedPercentage": 90}}})"}) {
        server_.WriteConfig(broken);
        Console(nullptr);
    }
    EXPECT_EQ(ErrorLines().size(), 4u);
    EXPECT_FLOAT_EQ(VipSpeed(), 1.1f);
}

TEST_F(ReloadTest, NewCommandNamesWaitForTheNextLoad) {
    Load("{}");
    server_.WriteConfig(R"({"Commands": {"Speed": "/fast", "Unspeed": "/slow"}})");
    Console(nullptr);
    EXPECT_EQ(server_.host().commands.ChatNames(), (std::vector<std::string>{"/speed", "/unspeed"}));
    server_.WriteConfig(R"({"Commands": "broken"})");
    Console(nullptr);
    server_.UnloadPlugin();
    EXPECT_TRUE(server_.host().commands.ChatNames().empty()) << "unload removes what was registered";
    EXPECT_TRUE(ErrorLines().empty());
    server_.WriteConfig(R"({"Commands": {"Speed": "/fast", "Unspeed": "/slow"}})");
    ASSERT_TRUE(server_.LoadPlugin());
    EXPECT_EQ(server_.host().commands.ChatNames(), (std::vector<std::string>{"/fast", "/slow"}));
}

TEST_F(ReloadTest, ReloadSwitchesThePermissionsModeBothWays) {
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    Load(VipConfig(true));
    EXPECT_EQ(VipSpeed(), 2.0f);
    server_.WriteConfig(VipConfig(false));
    Console(nullptr);
    EXPECT_FLOAT_EQ(VipSpeed(), 1.1f);
    server_.WriteConfig(VipConfig(true));
    Console(nullptr);
    EXPECT_EQ(VipSpeed(), 2.0f);
}

TEST_F(ReloadTest, WithoutThePermissionsPluginTheModeStaysOff) {
    Load(VipConfig(true));
    server_.Start();
    EXPECT_FLOAT_EQ(VipSpeed(), 1.1f);
}

TEST_F(ReloadTest, ServerStartSwitchesThePermissionsModeOn) {
    Load(VipConfig(true));
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    // The Permissions plugin came after our read, so the mode is still off ...
    EXPECT_FLOAT_EQ(VipSpeed(), 1.1f);
    // ... until the game mode initialises.
    server_.Start();
    EXPECT_EQ(world().init_game_calls, 1);
    EXPECT_EQ(VipSpeed(), 2.0f);
}

TEST_F(ReloadTest, LoadingIntoARunningServerSwitchesTheModeOnAtOnce) {
    server_.host().SetStatus(ArkApi::ServerStatus::Ready);
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    Load(VipConfig(true));
    EXPECT_EQ(VipSpeed(), 2.0f);
}

}  // namespace

// Loading the built plugin into a simulated server: the logger, the registrations and their
// order, failed loads, and a clean game heap after unloading.
#include <spdlog/logger.h>

#include <regex>
#include <thread>

#include "test_support.h"

namespace {

using PluginLoadTest = test::ServerTest;

const std::vector<std::string> kRegistered = {
    "add console Kestravel.Reload", "add rcon Kestravel.Reload", "add chat /speed",
    "add chat /unspeed"};
const std::vector<std::string> kHooks = {"install AShooterGameMode.InitGame",
                                         "install APrimalDinoCharacter.SetRider",
                                         "install APrimalDinoCharacter.ClearRider"};

TEST_F(PluginLoadTest, WithoutConfigTheLoadFailsWithOneErrorLineAndNothingRegistered) {
    std::string error;
    EXPECT_FALSE(server_.LoadPlugin(&error));
    EXPECT_FALSE(server_.PluginLoaded());
    const auto logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].logger, "Kestravel");
    EXPECT_EQ(logs[0].level, "error");
    EXPECT_EQ(logs[0].text, "Error on open the config.json");
    // "%D %R [%n][%l] %v": date, hour and minute, logger name, level, text.
    EXPECT_TRUE(std::regex_match(
        logs[0].formatted,
        std::regex(R"(\d\d/\d\d/\d\d \d\d:\d\d \[Kestravel\]\[error\] Error on open the config\.json)")))
        << logs[0].formatted;
    EXPECT_GE(server_.host().sink->Flushes(), 1u);
    EXPECT_TRUE(server_.host().commands.History().empty());
    EXPECT_TRUE(server_.host().hooks.History().empty());
}

TEST_F(PluginLoadTest, RegistersSevenThingsInOrderAndRemovesThemInTheSameOrder) {
    Load("{}");
    EXPECT_EQ(server_.host().commands.History(), kRegistered);
    EXPECT_EQ(server_.host().hooks.History(), kHooks);
    EXPECT_EQ(server_.host().hooks.InstalledHooks().size(), 3u);
    EXPECT_TRUE(Logs().empty());

    server_.UnloadPlugin();
    const auto& history = server_.host().commands.History();
    const std::vector<std::string> removed(history.begin() + 4, history.end());
    EXPECT_EQ(removed, (std::vector<std::string>{"remove console Kestravel.Reload",
                                                 "remove rcon Kestravel.Reload",
                                                 "remove chat /speed", "remove chat /unspeed"}));
    const auto& hooks = server_.host().hooks.History();
    EXPECT_EQ(std::vector<std::string>(hooks.begin() + 3, hooks.end()),
              (std::vector<std::string>{"remove AShooterGameMode.InitGame",
                                        "remove APrimalDinoCharacter.SetRider",
                                        "remove APrimalDinoCharacter.ClearRider"}));
    EXPECT_TRUE(server_.host().commands.ChatNames().empty());
    EXPECT_TRUE(server_.host().commands.ConsoleNames().empty());
    EXPECT_TRUE(server_.host().commands.RconNames().empty());
    EXPECT_TRUE(server_.host().hooks.InstalledHooks().empty());
}

TEST_F(PluginLoadTest, ChatCommandNamesComeFromTheConfiguration) {
    Load(R"({"Commands": {"Speed": "/schnell"}})");
    EXPECT_EQ(server_.host().commands.ChatNames(), (std::vector<std::string>{"/schnell", "/unspeed"}));
}

TEST_F(PluginLoadTest, NonAsciiChatCommandNamesReachTheHostAsUtf16) {
    Load(R"({"Commands": {"Speed": "/vite\u00df", "Unspeed": "/\u6162"}})");
    EXPECT_EQ(server_.host().commands.ChatNames(),
              (std::vector<std::string>{"/vite\xC3\x9F", "/\xE6\x85\xA2"}));
}

TEST_F(PluginLoadTest, WronglyTypedCommandsFailTheLoadBeforeAnythingIsRegistered) {
    for (const char* config : {R"({"Commands": ["/speed"]})", R"({"Commands": {"Speed": 5}})",
                               R"({"Commands": {"Unspeed": null}})"}) {
        server_.WriteConfig(config);
        server_.host().sink->Clear();
        EXPECT_FALSE(server_.LoadPlugin()) << config;
        EXPECT_TRUE(server_.host().commands.History().empty()) << config;
        EXPECT_TRUE(server_.host().hooks.History().empty()) << config;
        const auto logs = Logs();
        ASSERT_EQ(logs.size(), 1u) << config;
        EXPECT_EQ(logs[0].level, "error");
        EXPECT_NE(logs[0].text.find("[json.exception.type_error."), std::string::npos) << logs[0].text;
    }
}

TEST_F(PluginLoadTest, BrokenConfigurationFailsTheLoadWithTheLibraryText) {
    server_.WriteConfig(R"({"EnablePermissions": "true"})");
    EXPECT_FALSE(server_.LoadPlugin());
    ASSERT_EQ(Logs().size(), 1u);
    EXPECT_EQ(Logs()[0].text, "[json.exception.type_error.302] type must be boolean, but is string");
}

TEST_F(PluginLoadTest, UnloadAfterAFailedLoadRemovesNothing) {
    EXPECT_FALSE(server_.LoadPlugin());
    server_.UnloadPlugin();
    EXPECT_TRUE(server_.host().commands.History().empty());
}

TEST_F(PluginLoadTest, LoggerWritesToTheSinksOfEachNewLoad) {
    // A library that is really unloaded starts afresh: its logger takes the host's sinks again.
    EXPECT_FALSE(server_.LoadPlugin());
    const auto replacement = std::make_shared<sim::RecordingSink>();
    server_.host().sinks = {replacement};
    EXPECT_FALSE(server_.LoadPlugin());
    ASSERT_EQ(replacement->Lines().size(), 1u);
    EXPECT_EQ(replacement->Lines()[0].text, "Error on open the config.json");
}

TEST_F(PluginLoadTest, ThreadsStartingAndEndingWhileLoadedChangeNothing) {
#if !defined(_WIN32)
    GTEST_SKIP() << "only the Windows loader calls a library's entry point for every thread";
#endif
    Load("{}");
    const auto commands = server_.host().commands.History();
    const auto hooks = server_.host().hooks.History();
    std::thread([] {}).join();
    EXPECT_EQ(server_.host().commands.History(), commands);
    EXPECT_EQ(server_.host().hooks.History(), hooks);
    EXPECT_TRUE(Logs().empty());
}

TEST_F(PluginLoadTest, TheHostKeepsLoggingOnItsSinksAfterTheUnload) {
    // The plugin sets its pattern on the host's shared sinks; what it leaves there must not
    // depend on the plugin's library, which is gone after the unload.
    EXPECT_FALSE(server_.LoadPlugin());
    Load("{}");
    server_.UnloadPlugin();
    const auto& sinks = server_.host().sinks;
    spdlog::logger host_log("ArkApi", sinks.begin(), sinks.end());
    host_log.info("Unloaded plugin Kestravel");
    const auto logs = Logs();
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_TRUE(std::regex_match(
        logs[1].formatted,
        std::regex(R"(\d\d/\d\d/\d\d \d\d:\d\d \[ArkApi\]\[info\] Unloaded plugin Kestravel)")))
        << logs[1].formatted;
}

TEST_F(PluginLoadTest, AThousandLoadsLeaveNoGameHeapBlock) {
    server_.WriteConfig(R"({"Commands": {"Speed": "/fast", "Unspeed": "/slow"}, "Dinos": {}})");
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(server_.LoadPlugin());
        server_.UnloadPlugin();
        ASSERT_EQ(server_.host().heap.Blocks(), 0u) << "cycle " << i;
    }
    EXPECT_TRUE(server_.host().commands.ChatNames().empty());
    EXPECT_TRUE(Logs().empty());
}

}  // namespace

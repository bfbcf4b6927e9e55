// The server session's `serve` command: the game loop that answers RCON until its time is up or
// a signal stops the server.
#include <gtest/gtest.h>

#include <csignal>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "rcon_client.h"
#include "session.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;
using nlohmann::json;

class ServeTest : public testing::Test {
protected:
    std::vector<json> Events() const {
        std::vector<json> events;
        std::istringstream lines(out_.str());
        for (std::string line; std::getline(lines, line);) events.push_back(json::parse(line));
        return events;
    }

    bool Run(const std::string& line) { return session_.RunText(line, {"", 1, folder_.path()}); }

    test::TempFolder folder_;
    std::ostringstream out_;
    tools::EventPrinter printer_{out_, true};
    tools::Session session_{{folder_.path(), KESTRAVEL_PLUGIN_PATH, KESTRAVEL_PERMISSIONS_PATH},
                            printer_};
};

TEST_F(ServeTest, ServingForATimeGoesOnWithTheScript) {
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Run("serve 0.2"));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_FALSE(session_.Stopped());
    EXPECT_TRUE(Run("load"));
    const auto events = Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0], json({{"event", "served"}, {"reason", "time"}}));
    EXPECT_EQ(events.back()["event"], "load");

    EXPECT_FALSE(Run("serve -1"));
    EXPECT_FALSE(Run("serve soon"));
}

TEST_F(ServeTest, ASignalEndsTheServeAndUnloadsThePlugin) {
    session_.server().WriteConfig(R"({"Dinos": {}})");
    const std::uint16_t port = session_.ListenRcon(0, std::string("pw"));
    ASSERT_TRUE(Run("load"));
    // An operator's RCON tool reloads while the server serves, then the server is stopped.
    std::thread tool([port] {
        test::RconClient client(port);
        client.Send(3, sim::rcon::kAuth, "pw");
        client.Send(4, sim::rcon::kExecCommand, "Kestravel.Reload");
        for (int packets = 0; packets < 3 && client.Next(nullptr); ++packets) {
        }
        std::raise(SIGINT);
        std::this_thread::sleep_for(300ms);  // the client leaves after the server has stopped
    });
    const auto start = std::chrono::steady_clock::now();
    const bool ok = Run("serve 30");
    tool.join();
    EXPECT_TRUE(ok);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
    EXPECT_TRUE(session_.Stopped());
    EXPECT_FALSE(session_.server().PluginLoaded());

    std::vector<std::string> kinds;
    for (const json& event : Events()) {
        if (event["event"] != "log") kinds.push_back(event["event"]);
    }
    const std::vector<std::string> expected = {"rcon-listening", "load", "rcon-connected",
                                               "rcon-authenticated", "rcon", "served", "unload"};
    EXPECT_EQ(kinds, expected);
    for (const json& event : Events()) {
        if (event["event"] == "rcon") {
            EXPECT_EQ(event["id"], 4);
            EXPECT_EQ(event["text"], "Reloaded config");
        }
        if (event["event"] == "served") EXPECT_EQ(event["reason"], "signal");
    }
}

}  // namespace

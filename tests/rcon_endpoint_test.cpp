// The simulated server's RCON endpoint with the plugin loaded: authentication, the reload
// command over the wire, and bad input that must close only the connection that sent it.
#include <gtest/gtest.h>

#include <thread>

#include "plugin_fixture.h"
#include "rcon_client.h"

namespace {

using namespace std::chrono_literals;
using sim::rcon::kAuth;
using sim::rcon::kAuthResponse;
using sim::rcon::kExecCommand;
using sim::rcon::kResponseValue;
using test::RconClient;

constexpr const char* kPassword = "secret";

class RconEndpointTest : public test::PluginTest {
protected:
    void SetUp() override { Load(R"({"Dinos": {}})"); }

    void TearDown() override {
        endpoint_.reset();
        PluginTest::TearDown();
    }

    sim::RconEndpoint& Listen(sim::RconLimits limits = {}) {
        endpoint_ = std::make_unique<sim::RconEndpoint>(server_, 0, kPassword, limits);
        endpoint_->SetNoticeListener([this](const sim::RconNotice& notice) {
            notices_.push_back(notice.kind + ": " + notice.text);
        });
        return *endpoint_;
    }

    // A client that has logged in.
    std::unique_ptr<RconClient> LoggedIn() {
        auto client = std::make_unique<RconClient>(endpoint_->port());
        client->Send(1, kAuth, kPassword);
        client->Next(endpoint_.get());
        const auto answer = client->Next(endpoint_.get());
        EXPECT_TRUE(answer && answer->type == kAuthResponse && answer->id == 1);
        return client;
    }

    bool Noticed(const std::string& text) const {
        for (const auto& notice : notices_) {
            if (notice.find(text) != std::string::npos) return true;
        }
        return false;
    }

    std::unique_ptr<sim::RconEndpoint> endpoint_;
    std::vector<std::string> notices_;
};

TEST_F(RconEndpointTest, OnlyTheRightPasswordOpensTheConnectionToCommands) {
    sim::RconEndpoint& endpoint = Listen();
    RconClient client(endpoint.port());
    ASSERT_TRUE(client.Connected());

    client.Send(5, kAuth, "wrong");
    auto value = client.Next(&endpoint);
    auto auth = client.Next(&endpoint);
    ASSERT_TRUE(value && auth);
    EXPECT_EQ(value->type, kResponseValue);
    EXPECT_EQ(value->id, 5);
    EXPECT_EQ(value->body, "");
    EXPECT_EQ(auth->type, kAuthResponse);
    EXPECT_EQ(auth->id, -1);

    client.Send(6, kExecCommand, "Kestravel.Reload");
    EXPECT_FALSE(client.Next(&endpoint, 300ms)) << "an unauthenticated command was answered";
    EXPECT_TRUE(world().rcon_replies.empty());

    client.Send(7, kAuth, kPassword);
    client.Next(&endpoint);
    auth = client.Next(&endpoint);
    ASSERT_TRUE(auth);
    EXPECT_EQ(auth->id, 7);
    client.Send(8, kExecCommand, "Kestravel.Reload");
    const auto reply = client.Next(&endpoint);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->id, 8);
    EXPECT_EQ(reply->type, kResponseValue);
    EXPECT_EQ(reply->body, "Reloaded config");
    EXPECT_TRUE(Noticed("refused"));
    EXPECT_TRUE(Noticed("authenticated"));
}

TEST_F(RconEndpointTest, CommandsRunOnTheGameThreadAndRepliesReachTheirClient) {
    sim::RconEndpoint& endpoint = Listen();
    auto client = LoggedIn();
    client->Send(41, kExecCommand, "Kestravel.Reload");
    // Nothing runs until the game thread takes the requests.
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(world().rcon_replies.empty());

    auto reply = client->Next(&endpoint);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->id, 41);
    EXPECT_EQ(reply->body, "Reloaded config");

    server_.WriteConfig("{ broken");
    client->Send(42, kExecCommand, "Kestravel.Reload");
    reply = client->Next(&endpoint);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->id, 42);
    EXPECT_NE(reply->body.find("parse_error"), std::string::npos) << reply->body;

    client->Send(43, kExecCommand, "Nobody.Registered this");
    reply = client->Next(&endpoint);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->id, 43);
    EXPECT_EQ(reply->body, "Unknown command \"Nobody.Registered\"");

    // The empty response value that clients send to mark the end of a response comes back.
    client->Send(44, kResponseValue, "");
    reply = client->Next(&endpoint);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->id, 44);
    EXPECT_EQ(reply->body, "");
}

TEST_F(RconEndpointTest, TwoClientsAtOnceAndPacketsInPieces) {
    sim::RconEndpoint& endpoint = Listen();
    auto first = LoggedIn();
    auto second = LoggedIn();
    const std::string command = sim::rcon::EncodePacket(100, kExecCommand, "Kestravel.Reload");
    first->SendRaw(command.substr(0, 3));
    EXPECT_FALSE(first->Next(&endpoint, 100ms));
    second->Send(200, kExecCommand, "Kestravel.Reload");
    first->SendRaw(command.substr(3, 12));
    const auto second_reply = second->Next(&endpoint);
    first->SendRaw(command.substr(15));
    const auto first_reply = first->Next(&endpoint);
    ASSERT_TRUE(first_reply && second_reply);
    EXPECT_EQ(first_reply->id, 100);
    EXPECT_EQ(second_reply->id, 200);
}

TEST_F(RconEndpointTest, BadInputClosesOnlyTheConnectionThatSentIt) {
    sim::RconEndpoint& endpoint = Listen();
    auto good = LoggedIn();
    const std::string header_of_5000 = sim::rcon::EncodePacket(1, 2, "").replace(0, 4, "\x88\x13\0\0", 4);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"size 9", std::string("\x09\0\0\0", 4) + std::string(9, '\0')},
        {"size 5000", header_of_5000},
        {"no NUL", sim::rcon::EncodePacket(1, 2, "abc").replace(12, 5, "abcde")},
    };
    std::int32_t id = 300;
    for (const auto& [name, bytes] : cases) {
        RconClient bad(endpoint.port());
        bad.Send(1, kAuth, kPassword);
        bad.SendRaw(bytes);
        EXPECT_TRUE(bad.ClosedByServer(&endpoint)) << name;
        good->Send(++id, kExecCommand, "Kestravel.Reload");
        const auto reply = good->Next(&endpoint);
        ASSERT_TRUE(reply) << name;
        EXPECT_EQ(reply->id, id) << name;
    }
    EXPECT_TRUE(Noticed("closed: malformed packet: packet size 9"));

    {
        RconClient leaving(endpoint.port());
        leaving.SendRaw(sim::rcon::EncodePacket(1, kAuth, kPassword).substr(0, 7));
        endpoint.RunPending();
        std::this_thread::sleep_for(50ms);
    }
    good->Send(++id, kExecCommand, "Kestravel.Reload");
    ASSERT_TRUE(good->Next(&endpoint));
    for (int i = 0; i < 50 && !Noticed("middle of a packet"); ++i) {
        std::this_thread::sleep_for(10ms);
        endpoint.RunPending();
    }
    EXPECT_TRUE(Noticed("closed: the client closed it in the middle of a packet"));
}

TEST_F(RconEndpointTest, FloodsAndConnectionsOverTheLimitAreCutOff) {
    sim::RconLimits limits;
    limits.connections = 2;
    limits.waiting_commands = 4;
    sim::RconEndpoint& endpoint = Listen(limits);
    auto good = LoggedIn();

    RconClient flood(endpoint.port());
    flood.Send(1, kAuth, kPassword);
    std::string burst;
    for (int i = 0; i < 20; ++i) burst += sim::rcon::EncodePacket(i, kExecCommand, "Kestravel.Reload");
    flood.SendRaw(burst);  // while the game thread is busy elsewhere
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(flood.ClosedByServer(&endpoint));
    EXPECT_TRUE(Noticed("flood")) << testing::PrintToString(notices_);

    RconClient second(endpoint.port());
    RconClient third(endpoint.port());
    second.Send(1, kAuth, kPassword);
    EXPECT_TRUE(second.Next(&endpoint));
    EXPECT_TRUE(third.ClosedByServer(&endpoint));
    EXPECT_TRUE(Noticed("rejected: more than 2 connections"));

    good->Send(77, kExecCommand, "Kestravel.Reload");
    const auto reply = good->Next(&endpoint);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->id, 77);
}

}  // namespace

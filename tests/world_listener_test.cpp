// The simulated world tells a listener of each delivery and RCON reply the moment the game
// receives it, so that an observer can interleave them with the log lines around them.
#include "host/utf.h"
#include "plugin_fixture.h"

namespace {

using WorldListenerTest = test::PluginTest;

TEST_F(WorldListenerTest, DeliveriesAndRepliesArriveInOrderBetweenTheLogLines) {
    std::vector<std::string> seen;
    world().delivery_listener = [&](const sim::Delivery& delivery) {
        seen.push_back("delivery " + delivery.player + ": " + delivery.direct.text);
    };
    world().rcon_listener = [&](const sim::RconReply& reply) {
        seen.push_back("rcon " + std::to_string(reply.id) + ": " + reply.text);
    };
    server_.host().sink->SetListener(
        [&](const sim::LogLine& line) { seen.push_back("log " + line.text); });
    Load("{}");
    sim::Player& player = NewPlayer("al");
    server_.RemoveConfig();

    server_.host().commands.RunConsole(reinterpret_cast<APlayerController*>(player.controller),
                                       "Kestravel.Reload");
    RCONPacket packet{0, 42, 2, FString(utf::Utf8ToUtf16<FString::Char>("Kestravel.Reload"))};
    server_.host().commands.RunRcon(world().Connection(3), &packet, world().WorldObject());

    EXPECT_EQ(seen,
              (std::vector<std::string>{
                  "delivery al: Failed to reload config", "log Error on open the config.json",
                  "log Error on open the config.json", "rcon 42: Error on open the config.json"}));
    // The records are kept as before.
    EXPECT_EQ(world().deliveries.size(), 1u);
    ASSERT_EQ(world().rcon_replies.size(), 1u);
    EXPECT_EQ(world().rcon_replies[0].connection, 3);
    server_.host().sink->SetListener(nullptr);
}

}  // namespace

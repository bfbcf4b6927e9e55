// A long run: 100 players and 1,000 creatures, a million random events (fewer when
// KESTRAVEL_LONG_RUN_EVENTS says so, as the sanitizer run does). The game heap and the process's
// memory stay flat from the first ten thousand events to the last.
#include <cstdio>
#include <cstdlib>
#include <random>

#include "plugin_fixture.h"

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRAVEL_UNDER_ASAN 1
#endif
#endif

// The process's resident memory; 0 where it is not measured (off Linux, and under
// AddressSanitizer, whose quarantine keeps freed memory on purpose).
std::size_t ResidentBytes() {
#if defined(__linux__) && !defined(KESTRAVEL_UNDER_ASAN)
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<std::size_t>(resident) * 4096;
#else
    return 0;  // measured on Linux only
#endif
}

long EventCount() {
    const char* text = std::getenv("KESTRAVEL_LONG_RUN_EVENTS");
    return text != nullptr ? std::atol(text) : 1'000'000;
}

using LongRunTest = test::PluginTest;

TEST_F(LongRunTest, AMillionEventsLeaveMemoryFlat) {
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    Load(R"({"EnablePermissions": true,
             "Dinos": {"All": {"SpeedPercentage": 10}},
             "Permissions": {
               "VIP": {"Dinos": {"Aerial": {"SpeedPercentage": 80, "FlyInWater": true, "AutoSpeedOnMount": true},
                                 "All": {"SpeedPercentage": 50, "AutoSpeedOnMount": true, "AutoUnspeedOnDismount": true,
                                         "InfiniteWeight": true, "MegalosaurusSleepDebtMultiplier": 2,
                                         "MegalosaurusRemoveGroggyBuff": true}}},
               "Default": {"Dinos": {"All": {"SpeedPercentage": 20, "StaminaConsumptionMultiplier": 0.5}}}},
             "Messages": {"OnSpeedCmd": {"Msg": "Fast", "Color": "Random"},
                          "OnUnspeedCmd": {"Msg": "Slow", "Type": "Chat"},
                          "OnAutoSpeed": {"Msg": "Mounted", "Color": "10, 20, 30"},
                          "OnAutoUnspeed": {"Msg": "Dismounted", "Type": "Chat", "Sender": "Kestravel"}}})");
    server_.Start();
    const std::vector<std::vector<std::string>> group_sets = {{}, {"VIP"}, {"Default"}, {"Builder", "VIP"}};
    std::vector<sim::Player*> players;
    for (int i = 0; i < 100; ++i) players.push_back(&NewPlayer("p" + std::to_string(i), group_sets[i % 4]));
    std::vector<sim::Creature*> creatures;
    for (int i = 0; i < 1000; ++i) {
        creatures.push_back(i % 3 == 0   ? &Ptera("c" + std::to_string(i))
                            : i % 3 == 1 ? &Raptor("c" + std::to_string(i))
                                         : &Megalosaurus("c" + std::to_string(i)));
    }

    std::mt19937 random(12345);
    const long events = EventCount();
    std::size_t heap_bytes_at_start = 0;
    std::size_t resident_at_start = 0;
    for (long event = 0; event < events; ++event) {
        sim::Player& player = *players[random() % players.size()];
        sim::Creature& creature = *creatures[random() % creatures.size()];
        switch (random() % 16) {
            case 0: case 1: case 2:
                if (!creature.object->dino.rider && !player.character->character.riding) Ride(player, creature);
                break;
            case 3: case 4: world().Dismount(player); break;
            case 5: case 6: case 7: case 8: Chat(player, "/speed"); break;
            case 9: case 10: Chat(player, "/unspeed"); break;
            case 11: player.groups = group_sets[random() % group_sets.size()]; break;
            case 12: world().AddBuff(creature, random() % 2 ? "Buff_NocturnalState_Groggy_C" : "Buff_Wet_C"); break;
            case 13: creature.status->current[sim::kStatSpeed] = 5.0f; break;
            case 14: if (random() % 200 == 0) server_.host().commands.RunConsole(nullptr, "Kestravel.Reload"); break;
            case 15: if (random() % 50 == 0) world().ClearRider(creature); break;
        }
        if (event % 1000 == 999) {
            // The game forgets what it has shown, and buffs expire.
            world().deliveries.clear();
            for (auto* p : players) p->notifications.clear(), p->chats.clear(), p->directs.clear();
            for (auto* c : creatures) world().ExpireBuffs(*c);
            ASSERT_EQ(server_.host().heap.Blocks(), 0u) << "event " << event;
        }
        if (event == 9999) {
            heap_bytes_at_start = server_.host().heap.Bytes();
            resident_at_start = ResidentBytes();
        }
    }
    EXPECT_TRUE(ErrorLines().empty());
    EXPECT_EQ(server_.host().heap.Blocks(), 0u);
    EXPECT_EQ(server_.host().heap.Bytes(), heap_bytes_at_start);
    if (events > 10000 && resident_at_start != 0) {
        const std::size_t resident_at_end = ResidentBytes();
        EXPECT_LT(resident_at_end, resident_at_start + 4 * 1024 * 1024)
            << "resident memory grew from " << resident_at_start << " to " << resident_at_end;
        std::printf("resident memory after 10,000 events: %zu KiB, after %ld: %zu KiB\n",
                    resident_at_start / 1024, events, resident_at_end / 1024);
    }
}

}  // namespace

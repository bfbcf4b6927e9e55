// Permission resolution against the Permissions plugin's stand-in: file order decides, letter
// case folds for ASCII only, and the group list goes back to the game heap.
#include "commands/permissions.h"

#include "test_support.h"

namespace {

class PermissionsTest : public test::ServerTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.SetPermissionsPlugin(true));
        Configure(R"({"EnablePermissions": true})");
    }

    void Configure(const std::string& text) {
        server_.WriteConfig(text);
        ReadConfig();
    }

    std::string Resolve(std::vector<std::string> groups, const std::string& permissions) {
        auto& player = server_.world().Connect("player" + std::to_string(++players_), players_, std::move(groups));
        return ResolvePermissionGroup(reinterpret_cast<AShooterPlayerController*>(player.controller),
                                      Json::parse(permissions));
    }

    int players_ = 0;
};

TEST_F(PermissionsTest, TheMemberFirstInTheFileWins) {
    EXPECT_EQ(Resolve({"Admins", "VIP"}, R"({"VIP": {}, "Admins": {}})"), "VIP");
    EXPECT_EQ(Resolve({"VIP", "Admins"}, R"({"Admins": {}, "VIP": {}})"), "Admins");
}

TEST_F(PermissionsTest, AsciiLetterCaseFoldsAndTheNameComesBackAsWritten) {
    EXPECT_EQ(Resolve({"VIP"}, R"({"vip": {}})"), "vip");
    EXPECT_EQ(Resolve({"vip"}, R"({"Vip": {}})"), "Vip");
}

TEST_F(PermissionsTest, NonAsciiNamesMatchTheirOwnLettersOnly) {
    // "Ärzte": the A-umlaut is not folded, the ASCII letters are.
    EXPECT_EQ(Resolve({"\xC3\x84RZTE"}, R"({"\u00c4rzte": {}})"), "\xC3\x84rzte");
    EXPECT_EQ(Resolve({"\xC3\xA4rzte"}, R"({"\u00c4rzte": {}})"), "");
    EXPECT_EQ(Resolve({"??rzte"}, R"({"\u00c4rzte": {}})"), "");
}

TEST_F(PermissionsTest, NoGroupsOrNoMatchGiveNoEntry) {
    EXPECT_EQ(Resolve({}, R"({"VIP": {}})"), "");
    EXPECT_EQ(Resolve({"Builders", ""}, R"({"VIP": {}, "Admins": {}})"), "");
    EXPECT_EQ(Resolve({""}, R"({"": {}})"), "");
}

TEST_F(PermissionsTest, AnEmptyObjectStillAsksThePluginOnce) {
    const int before = server_.world().permission_queries;
    EXPECT_EQ(Resolve({"VIP"}, "{}"), "");
    EXPECT_EQ(server_.world().permission_queries, before + 1);
}

TEST_F(PermissionsTest, NonObjectsAndTheModeOffNeverAskThePlugin) {
    for (const char* value : {"null", "[]", "\"VIP\"", "1", "true"}) {
        EXPECT_EQ(Resolve({"VIP"}, value), "") << value;
    }
    Configure(R"({"EnablePermissions": false})");
    EXPECT_EQ(Resolve({"VIP"}, R"({"VIP": {}})"), "");
    EXPECT_EQ(server_.world().permission_queries, 0);
}

TEST_F(PermissionsTest, TheGroupListIsReleasedOnTheGameHeap) {
    const auto allocations = server_.host().heap.Allocations();
    std::vector<std::string> many;
    for (int i = 0; i < 500; ++i) many.push_back("group" + std::to_string(i));
    EXPECT_EQ(Resolve(many, R"({"group499": {}})"), "group499");
    EXPECT_GT(server_.host().heap.Allocations(), allocations + 500);
    EXPECT_EQ(server_.host().heap.Blocks(), 0u);
}

TEST_F(PermissionsTest, AMissingPluginGivesNoGroupsAndOneErrorLine) {
    ASSERT_TRUE(PermissionsMode());
    server_.SetPermissionsPlugin(false);  // the mode was switched on while it was there
    EXPECT_EQ(Resolve({"VIP"}, R"({"VIP": {}})"), "");
    EXPECT_EQ(Resolve({"VIP"}, R"({"VIP": {}})"), "");
    const auto logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].level, "error");
    EXPECT_NE(logs[0].text.find("Permissions plugin"), std::string::npos) << logs[0].text;
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    EXPECT_EQ(Resolve({"VIP"}, R"({"VIP": {}})"), "VIP");
}

}  // namespace

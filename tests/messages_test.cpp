// Message entries as players see them: notification or chat, colours, size, time, sender,
// non-ASCII text, broadcast, and the chat record the game takes over.
#include "messages/send_message.h"

#include "host/color.h"
#include "messages/message_color.h"
#include "plugin_fixture.h"

namespace {

class MessagesTest : public test::PluginTest {
protected:
    void SetUp() override { Load("{}"); }

    // Sends `entry` as the plugin's code does, to `player` (or to everybody when null).
    void Send(const std::string& entry, sim::Player* player,
              std::vector<std::string> replacements = {}) {
        SendConfiguredMessage(Json::parse(entry), player == nullptr ? nullptr : Controller(*player),
                              std::move(replacements));
    }
};

void ExpectColor(const LinearColor& color, float r, float g, float b, float a) {
    EXPECT_FLOAT_EQ(color.r, r);
    EXPECT_FLOAT_EQ(color.g, g);
    EXPECT_FLOAT_EQ(color.b, b);
    EXPECT_FLOAT_EQ(color.a, a);
}

TEST_F(MessagesTest, AnEntryWithOnlyMsgIsAGreenNotification) {
    auto& ada = NewPlayer("ada");
    Send(R"({"Msg": "Hello"})", &ada);
    ASSERT_EQ(ada.notifications.size(), 1u);
    EXPECT_EQ(ada.notifications[0].text, "Hello");
    EXPECT_EQ(ada.notifications[0].size, 1.2f);
    EXPECT_EQ(ada.notifications[0].time, 10.0f);
    ExpectColor(ada.notifications[0].color, 0.0f, 1.0f, 0.0f, 1.0f);
}

TEST_F(MessagesTest, SizeAndTimeAreConvertedAsTheGameTakesThem) {
    auto& ada = NewPlayer("ada");
    Send(R"({"Msg": "x", "Time": 2.9, "Size": 2, "Color": "255, 0, 0"})", &ada);
    ASSERT_EQ(ada.notifications.size(), 1u);
    EXPECT_EQ(ada.notifications[0].time, 2.0f);
    EXPECT_EQ(ada.notifications[0].size, 2.0f);
    ExpectColor(ada.notifications[0].color, 1.0f, 0.0f, 0.0f, 1.0f);
}

TEST_F(MessagesTest, AnyOtherTypeIsChatFromTheSender) {
    auto& ada = NewPlayer("ada");
    Send(R"({"Msg": "one", "Type": "notification"})", &ada);
    Send(R"({"Msg": "two", "Type": "Chat", "Sender": ""})", &ada);
    Send(R"({"Msg": "three", "Type": "Chat", "Sender": "Kestravel"})", &ada);
    EXPECT_TRUE(ada.notifications.empty());
    ASSERT_EQ(ada.chats.size(), 3u);
    EXPECT_EQ(ada.chats[0].sender, "Server");
    EXPECT_EQ(ada.chats[1].sender, "");
    EXPECT_EQ(ada.chats[2].sender, "Kestravel");
    EXPECT_EQ(ada.chats[2].text, "three");
}

TEST_F(MessagesTest, NothingIsSentWithoutAText) {
    auto& ada = NewPlayer("ada");
    for (const char* entry : {"null", "[]", "\"Hello\"", "{}", R"({"Msg": "", "Type": "Chat"})"}) {
        Send(entry, &ada);
    }
    EXPECT_TRUE(world().deliveries.empty());
}

TEST_F(MessagesTest, NonAsciiTextArrivesIntact) {
    auto& ada = NewPlayer("ada");
    const std::string text = "Dein Reittier l\xC3\xA4uft schneller \xE2\x9A\xA1";
    Send(R"({"Msg": ")" + text + R"("})", &ada);
    Send(R"({"Msg": ")" + text + R"(", "Type": "Chat", "Sender": "\u00c4gir"})", &ada);
    EXPECT_EQ(ada.notifications.at(0).text, text);
    EXPECT_EQ(ada.chats.at(0).text, text);
    EXPECT_EQ(ada.chats.at(0).sender, "\xC3\x84gir");
}

TEST_F(MessagesTest, ReplacementsActOnceEachInOrder) {
    auto& ada = NewPlayer("ada");
    Send(R"({"Msg": "{a} and {a} then {b}"})", &ada, {"{a}", "A", "{b}", "{a}", "{missing}", "x", "{a}"});
    EXPECT_EQ(ada.notifications.at(0).text, "A and {a} then {a}");
}

TEST_F(MessagesTest, WithoutAPlayerEveryConnectedPlayerGetsItsOwnCopy) {
    auto& ada = NewPlayer("ada");
    auto& bob = NewPlayer("bob");
    NewPlayer("gone");
    world().Disconnect("gone");
    Send(R"({"Msg": "Restart soon", "Type": "Chat"})", nullptr);
    Send(R"({"Msg": "Restart soon"})", nullptr);
    for (auto* player : {&ada, &bob}) {
        EXPECT_EQ(player->chats.size(), 1u);
        EXPECT_EQ(player->notifications.size(), 1u);
    }
    EXPECT_EQ(world().deliveries.size(), 4u);
}

TEST_F(MessagesTest, WronglyTypedKeysFailBeforeAnythingIsSent) {
    auto& ada = NewPlayer("ada");
    auto error_of = [&](const std::string& entry) -> std::string {
        try {
            Send(entry, &ada);
        } catch (const Json::type_error& error) {
            return error.what();
        }
        return "";
    };
    EXPECT_EQ(error_of(R"({"Msg": 5})"), "[json.exception.type_error.302] type must be string, but is number");
    EXPECT_EQ(error_of(R"({"Msg": "x", "Type": true})"), "[json.exception.type_error.302] type must be string, but is boolean");
    EXPECT_EQ(error_of(R"({"Msg": "x", "Size": "big"})"), "[json.exception.type_error.302] type must be number, but is string");
    EXPECT_EQ(error_of(R"({"Msg": "x", "Time": null})"), "[json.exception.type_error.302] type must be number, but is null");
    EXPECT_EQ(error_of(R"({"Msg": "x", "Color": [1, 2, 3]})"), "[json.exception.type_error.302] type must be string, but is array");
    EXPECT_EQ(error_of(R"({"Msg": "x", "Type": "Chat", "Sender": {}})"), "[json.exception.type_error.302] type must be string, but is object");
    EXPECT_EQ(error_of(R"({"Msg": "x", "Type": "Chat", "Size": "ignored for chat"})"), "");
    EXPECT_EQ(world().deliveries.size(), 1u);
}

std::string Channels(ByteColor color) {
    return std::to_string(color.r) + "," + std::to_string(color.g) + "," + std::to_string(color.b) + "," +
           std::to_string(color.a);
}

TEST_F(MessagesTest, ColourTextsReadLikeTheGameDoes) {
    const std::string green = "0,255,0,255";
    EXPECT_EQ(Channels(ParseMessageColor("")), green);
    EXPECT_EQ(Channels(ParseMessageColor("255,0,0")), "255,0,0,255");
    EXPECT_EQ(Channels(ParseMessageColor("255, 0, 0")), "255,0,0,255");
    EXPECT_EQ(Channels(ParseMessageColor("300,0,0")), "44,0,0,255");
    EXPECT_EQ(Channels(ParseMessageColor("-1,256,7px")), "255,0,7,255");
    EXPECT_EQ(Channels(ParseMessageColor("10, 20, 30, 40")), "10,20,30,255");
    EXPECT_EQ(Channels(ParseMessageColor(",,1,,2,,3,,")), "1,2,3,255");
    for (const char* unreadable : {"255,0", "red", "10,20,30,40", "random", "1,x,3", "1,2,99999999999",
                                   "\xC3\xA9,1,2"}) {
        EXPECT_EQ(Channels(ParseMessageColor(unreadable)), green) << unreadable;
    }
    EXPECT_EQ(server_.host().heap.Blocks(), 0u);
}

TEST_F(MessagesTest, RandomDrawsEachChannelFromTheCLibrary) {
    std::srand(7);
    const int blue = std::rand() % 256, green = std::rand() % 256, red = std::rand() % 256;
    std::srand(7);
    const ByteColor color = ParseMessageColor("Random");
    EXPECT_EQ(color.b, blue);
    EXPECT_EQ(color.g, green);
    EXPECT_EQ(color.r, red);
    EXPECT_EQ(color.a, 255);
}

}  // namespace

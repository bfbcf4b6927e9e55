// kestravel check: syntax errors with their place, load failures, values that fail later with
// their JSON pointer and types, and warnings about what is legal but probably not meant.
#include "check.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using tools::CheckConfigText;
using tools::Finding;

const Finding* FindingAt(const std::vector<Finding>& findings, const std::string& pointer) {
    for (const Finding& finding : findings) {
        if (finding.pointer == pointer) return &finding;
    }
    return nullptr;
}

std::string All(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& f : findings) {
        text += f.pointer + ": " + (f.error ? "error: " : "warning: ") + f.message + "\n";
    }
    return text;
}

// The only finding at `pointer`, which must be a warning containing `words`.
void ExpectWarning(const std::string& config, const std::string& pointer,
                   const std::string& words) {
    const auto findings = CheckConfigText(config);
    const Finding* finding = FindingAt(findings, pointer);
    ASSERT_NE(finding, nullptr) << config << "\n" << All(findings);
    EXPECT_FALSE(finding->error) << All(findings);
    EXPECT_NE(finding->message.find(words), std::string::npos) << All(findings);
    EXPECT_EQ(
        std::count_if(findings.begin(), findings.end(), [](const Finding& f) { return f.error; }),
        0)
        << All(findings);
}

TEST(CheckTest, TheExampleConfigurationHasNoFinding) {
    EXPECT_TRUE(CheckConfigText(R"({"Dinos": {"All": {"SpeedPercentage": 10}}})").empty());
}

TEST(CheckTest, SyntaxErrorsGiveTheirLineAndColumnAndTheLibraryText) {
    const auto findings = CheckConfigText("{\n  \"Dinos\": {\n    \"All\": {,}\n  }\n}");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_TRUE(findings[0].error);
    EXPECT_EQ(findings[0].line, 3);
    EXPECT_EQ(findings[0].column, 13);
    EXPECT_NE(findings[0].message.find("[json.exception.parse_error.101]"), std::string::npos);

    for (const char* text : {"", "{} x", "{\"a\": 1,}", "// comment\n{}", "{\"a\": \"\xff\"}"}) {
        const auto broken = CheckConfigText(text);
        const bool syntax_error = !broken.empty() && broken[0].error && broken[0].line > 0;
        EXPECT_EQ(syntax_error, std::string(text) != "{} x") << text << All(broken);
    }
}

TEST(CheckTest, TextAfterTheDocumentIsAWarningWithItsPlace) {
    const auto findings = CheckConfigText("{}\n\n  // the end\n");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_FALSE(findings[0].error);
    EXPECT_EQ(findings[0].line, 3);
    EXPECT_EQ(findings[0].column, 3);
}

TEST(CheckTest, LoadFailuresNameThePathAndBothTypes) {
    struct Case {
        const char* config;
        const char* pointer;
        const char* found;
        const char* expected;
    };
    for (const Case& c :
         {Case{"[]", "", "array", "object"},
          Case{R"({"EnablePermissions": "true"})", "/EnablePermissions", "string", "boolean"},
          Case{R"({"EnablePermissions": null})", "/EnablePermissions", "null", "boolean"},
          Case{R"({"Commands": ["/speed"]})", "/Commands", "array", "object"},
          Case{R"({"Commands": {"Unspeed": 5}})", "/Commands/Unspeed", "number", "string"}}) {
        const auto findings = CheckConfigText(c.config);
        const Finding* finding = FindingAt(findings, c.pointer);
        ASSERT_NE(finding, nullptr) << c.config << "\n" << All(findings);
        EXPECT_TRUE(finding->error);
        EXPECT_EQ(finding->found, c.found);
        EXPECT_EQ(finding->expected, c.expected);
        EXPECT_NE(finding->message.find("the load"), std::string::npos) << finding->message;
    }
}

TEST(CheckTest, KeysThatThePluginNeverReadsThereAreWarningsNotErrors) {
    // A chat message reads no "Size"; an empty "Msg" reads nothing else; a walking creature
    // reads no "FlyInWater".
    ExpectWarning(R"({"Messages": {"OnSpeedCmd": {"Msg": "m", "Type": "Chat", "Size": "big"}}})",
                  "/Messages/OnSpeedCmd/Size", "not read for a chat message");
    ExpectWarning(R"({"Messages": {"OnSpeedCmd": {"Msg": "", "Time": "x"}}})",
                  "/Messages/OnSpeedCmd/Time", "while \"Msg\" is empty");
    ExpectWarning(R"({"Dinos": {"Terrestrial": {"FlyInWater": 1}}})",
                  "/Dinos/Terrestrial/FlyInWater", "flyers only");
    ExpectWarning(
        R"({"Dinos": {"Blueprint'/Game/Rex.Rex'": {"MegalosaurusRemoveGroggyBuff": true}}})",
        "/Dinos/Blueprint'~1Game~1Rex.Rex'/MegalosaurusRemoveGroggyBuff",
        "does not name Megalosaurus");
}

TEST(CheckTest, WarnsAboutWhatIsLegalButProbablyNotMeant) {
    ExpectWarning(R"({"Dinos": {"All": {"SpeedPercentag": 5}}})", "/Dinos/All/SpeedPercentag",
                  "did you mean \"SpeedPercentage\"?");
    ExpectWarning(R"({"enablepermissions": true})", "/enablepermissions",
                  "did you mean \"EnablePermissions\"?");
    ExpectWarning(R"({"Messages": {"OnSpeedCommand": {}}})", "/Messages/OnSpeedCommand",
                  "did you mean \"OnSpeedCmd\"?");
    ExpectWarning(R"({"Dinos": {"all": {}}})", "/Dinos/all", "did you mean \"All\"?");
    ExpectWarning(R"({"Dinos": {"/Game/Rex.Rex": {}}})", "/Dinos/~1Game~1Rex.Rex",
                  "did you mean \"Blueprint'/Game/Rex.Rex'\"?");
    ExpectWarning(R"({"Messages": {"OnSpeedCmd": {"Msg": "m", "Type": "notification"}}})",
                  "/Messages/OnSpeedCmd/Type", "sent as chat");
    ExpectWarning(R"({"Messages": {"OnSpeedCmd": {"Msg": "m", "Color": "red"}}})",
                  "/Messages/OnSpeedCmd/Color", "falls back to green");
    ExpectWarning(R"({"Messages": {"OnSpeedCmd": {"Msg": "m", "Color": "10,20,30,40"}}})",
                  "/Messages/OnSpeedCmd/Color", "falls back to green");
    ExpectWarning(R"({"Messages": {"OnSpeedCmd": {"Msg": "m", "Color": "300, 0, 0"}}})",
                  "/Messages/OnSpeedCmd/Color", "reads as 44");
    ExpectWarning(R"({"Dinos": {"All": {"SpeedPercentage": 1}, "All": {}}})", "/Dinos/All",
                  "repeated");
    ExpectWarning(R"({"EnablePermissions": true})", "/EnablePermissions", "no entries");
    ExpectWarning(R"({"Permissions": {"VIP": {}}})", "/Permissions/VIP", "has no \"Dinos\"");
    ExpectWarning(R"({"Dinos": {"All": {"InfiniteWeight": false, "SpeedPercentage": true}}})",
                  "/Dinos/All/SpeedPercentage", "reads as the number 1");
    ExpectWarning(R"({"Messages": {"OnSpeedCmd": {"Msg": "m", "Time": 4.7}}})",
                  "/Messages/OnSpeedCmd/Time", "reads as 4");
    ExpectWarning(R"({"Commands": {"Speed": "/go", "Unspeed": "/GO"}})", "/Commands/Unspeed",
                  "only the speed command runs");

    // What is meant stays quiet.
    for (
        const char* quiet :
        {R"({"$schema": "x", "Messages": {"OnSpeedCmd": {"Msg": "m", "Type": "Chat", "Sender": ""}}})",
         R"({"Messages": {"OnSpeedCmd": {"Msg": "m", "Color": "Random"}}})",
         R"({"Messages": {"OnSpeedCmd": {"Msg": "m", "Color": "10, 20, 30, 40"}}})",
         R"({"Dinos": {"Aerial": {"FlyInWater": true}}, "Permissions": {"VIP": {"Dinos": null}}})"}) {
        EXPECT_EQ(All(CheckConfigText(quiet)), "") << quiet;
    }
}

TEST(CheckTest, WrongSectionShapesAreErrorsOfTheActionsThatReadThem) {
    for (const char* pointer : {"/Dinos", "/Permissions", "/Messages", "/Dinos/Aerial",
                                "/Permissions/VIP", "/Permissions/VIP/Dinos"}) {
        std::string config;
        if (std::string(pointer) == "/Dinos") config = R"({"Dinos": 5})";
        if (std::string(pointer) == "/Permissions") config = R"({"Permissions": []})";
        if (std::string(pointer) == "/Messages") config = R"({"Messages": "hi"})";
        if (std::string(pointer) == "/Dinos/Aerial") config = R"({"Dinos": {"Aerial": 5}})";
        if (std::string(pointer) == "/Permissions/VIP")
            config = R"({"Permissions": {"VIP": true}})";
        if (std::string(pointer) == "/Permissions/VIP/Dinos")
            config = R"({"Permissions": {"VIP": {"Dinos": "x"}}})";
        const auto findings = CheckConfigText(config);
        const Finding* finding = FindingAt(findings, pointer);
        ASSERT_NE(finding, nullptr) << config << "\n" << All(findings);
        EXPECT_TRUE(finding->error) << All(findings);
        EXPECT_EQ(finding->expected, "object");
        EXPECT_NE(finding->message.find("[json.exception.type_error."), std::string::npos);
    }
}

}  // namespace

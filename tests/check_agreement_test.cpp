// kestravel check against the plugin itself: for every key the plugin reads, a wrongly typed
// value is an error of the check at the key's path, and the plugin, loaded and played with in a
// simulated server, does fail on it. Load failures predicted by the check are the plugin's.
#include "check.h"
#include "config_keys.h"
#include "plugin_fixture.h"

namespace {

using tools::KeyInfo;
using tools::KeyType;
using tools::Section;

// A value of another JSON type than `type` asks for.
nlohmann::ordered_json WrongValue(KeyType type) {
    switch (type) {
        case KeyType::kBoolean:
            return 1;
        case KeyType::kString:
            return 5;
        case KeyType::kObject:
            return nlohmann::ordered_json::array();
        default:
            return "7";
    }
}

struct Case {
    std::string config;
    std::string pointer;
    std::string found;
};

// A configuration in which the plugin reads every key of `section`, with `key` wrongly typed.
Case WrongKey(Section section, const KeyInfo& key) {
    Json doc = {{"EnablePermissions", false}};
    const Json wrong = WrongValue(key.type);
    const Json entry = {{"AutoSpeedOnMount", true}, {"AutoUnspeedOnDismount", true}};
    doc["Dinos"]["All"] = entry;
    for (const char* event : {"OnSpeedCmd", "OnUnspeedCmd", "OnAutoSpeed", "OnAutoUnspeed"}) {
        doc["Messages"][event] = {{"Msg", "m"}};
    }
    std::string pointer;
    switch (section) {
        case Section::kTopLevel:
            doc[key.name] = wrong;
            pointer = std::string("/") + key.name;
            break;
        case Section::kCommands:
            doc["Commands"][key.name] = wrong;
            pointer = std::string("/Commands/") + key.name;
            break;
        case Section::kPermissionEntry:
            doc["EnablePermissions"] = true;
            doc["Permissions"]["Riders"][key.name] = wrong;
            pointer = std::string("/Permissions/Riders/") + key.name;
            break;
        case Section::kSettingsEntry:
            doc["Dinos"]["All"][key.name] = wrong;
            pointer = std::string("/Dinos/All/") + key.name;
            break;
        case Section::kMessageEntry:
            if (std::string(key.name) == "Sender") doc["Messages"]["OnSpeedCmd"]["Type"] = "Chat";
            doc["Messages"]["OnSpeedCmd"][key.name] = wrong;
            pointer = std::string("/Messages/OnSpeedCmd/") + key.name;
            break;
    }
    return {doc.dump(), pointer, wrong.type_name()};
}

class CheckAgreementTest : public test::PluginTest {
protected:
    // Loads the configuration and plays every action on a flyer and on a Megalosaurus; the
    // plugin's error lines.
    std::vector<std::string> Play(const std::string& config) {
        server_.WriteConfig(config);
        if (!server_.LoadPlugin()) return ErrorLines();
        server_.Start();
        sim::Player& player = NewPlayer("rider", {"Riders"});
        for (sim::Creature* creature : {&Ptera(), &Megalosaurus()}) {
            Ride(player, *creature);
            Chat(player, "/speed");
            Chat(player, "/unspeed");
            world().Dismount(player);
        }
        return ErrorLines();
    }
};

TEST_F(CheckAgreementTest, EveryWronglyTypedKeyIsAnErrorOfTheCheckAndFailsThePlugin) {
    ASSERT_TRUE(server_.SetPermissionsPlugin(true));
    for (Section section : {Section::kTopLevel, Section::kCommands, Section::kPermissionEntry,
                            Section::kSettingsEntry, Section::kMessageEntry}) {
        for (const KeyInfo& key : tools::KeysOf(section)) {
            const Case wrong = WrongKey(section, key);
            SCOPED_TRACE(wrong.config);
            const auto findings = tools::CheckConfigText(wrong.config);
            const auto finding = std::find_if(findings.begin(), findings.end(), [&](const auto& f) {
                return f.pointer == wrong.pointer;
            });
            ASSERT_NE(finding, findings.end()) << wrong.pointer;
            EXPECT_TRUE(finding->error) << finding->message;
            EXPECT_EQ(finding->found, wrong.found);
            EXPECT_EQ(finding->expected, tools::ExpectedTypeName(key.type));

            server_.host().sink->Clear();
            EXPECT_FALSE(Play(wrong.config).empty()) << "the plugin never failed on " << key.name;
            server_.UnloadPlugin();
            for (const auto& player : world().Players()) world().Disconnect(player->name);
        }
    }
}

TEST_F(CheckAgreementTest, TheCheckFailsALoadExactlyWhenThePluginDoes) {
    for (const char* config :
         {"{}", "", "[]", "{\"Dinos\": 5}", "{} trailing", "{\"Commands\": null}",
          "{\"Commands\": []}", "{\"Commands\": {\"Speed\": null}}", "{\"EnablePermissions\": 0}",
          "{\"EnablePermissions\": true, \"Permissions\": 3}", "{\"Messages\": 1}",
          "\xEF\xBB\xBF{}", "{\"a\": 1,}",
          "{\"Commands\": {\"Speed\": \"/s\"}, \"Commands\": {\"Speed\": 1}}"}) {
        server_.WriteConfig(config);
        const bool loads = server_.LoadPlugin();
        server_.UnloadPlugin();
        bool load_error = false;
        for (const auto& finding : tools::CheckConfigText(config)) {
            load_error |= finding.error && finding.message.find("the load") != std::string::npos;
        }
        EXPECT_EQ(load_error, !loads) << config;
    }
}

}  // namespace

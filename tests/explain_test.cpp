// kestravel explain: the selection traced key by key with the plugin's code, the selected entry
// with its defaults, and what the plugin's commands and hooks then do to the creature.
#include "explain.h"

#include <gtest/gtest.h>

namespace {

using tools::Event;
using tools::Explain;
using tools::ExplainRequest;

const std::string kRaptor =
    "/Game/PrimalEarth/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP_C";
const std::string kRaptorKey =
    "Blueprint'/Game/PrimalEarth/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP'";

std::vector<std::string> Outcomes(const Event& explanation) {
    std::vector<std::string> outcomes;
    for (const auto& step : explanation["selection"]) outcomes.push_back(step["outcome"]);
    return outcomes;
}

const Event& Action(const Event& explanation, const std::string& name) {
    for (const auto& action : explanation["actions"]) {
        if (action["action"] == name) return action;
    }
    static const Event none;
    return none;
}

TEST(ExplainTest, TheBlueprintEntryWinsAndItsActionsAreShown) {
    ExplainRequest request;
    request.config_text = R"({"Dinos": {")" + kRaptorKey +
                          R"(": {"SpeedPercentage": 50, "AutoSpeedOnMount": true}, "All": {}},
                              "Messages": {"OnSpeedCmd": {"Msg": "go"}}})";
    request.class_path = kRaptor;
    const Event e = Explain(request);
    EXPECT_EQ(e["creature"]["blueprint_key"], kRaptorKey);
    EXPECT_EQ(e["creature"]["category"], "Terrestrial");
    EXPECT_EQ(e["permissions"]["mode"], false);
    EXPECT_EQ(Outcomes(e), (std::vector<std::string>{"selected", "not tried", "not tried"}));
    ASSERT_TRUE(e.contains("entry")) << e.dump();
    EXPECT_EQ(e["entry"]["pointer"],
              "/Dinos/" + std::string("Blueprint'~1Game~1PrimalEarth~1Dinos~1Raptor~1Raptor_"
                                      "Character_BP.Raptor_Character_BP'"));
    const Event& keys = e["entry"]["keys"];
    ASSERT_EQ(keys.size(), 11u);
    EXPECT_EQ(keys[1]["key"], "SpeedPercentage");
    EXPECT_EQ(keys[1]["value"], 50);
    EXPECT_EQ(keys[1]["from"], "entry");
    EXPECT_EQ(keys[4]["value"], 1);  // StaminaConsumptionMultiplier's default
    EXPECT_EQ(keys[4]["from"], "default");
    EXPECT_EQ(keys[2]["not_read"], "read for flyers only");

    const Event& speed = Action(e, "/speed");
    ASSERT_FALSE(speed.is_null()) << e.dump();
    EXPECT_EQ(speed["changes"][0], (Event{{"field", "speed"}, {"from", 1.0}, {"to", 1.5}}));
    ASSERT_EQ(speed["messages"].size(), 1u);
    EXPECT_EQ(speed["messages"][0]["text"], "go");
    EXPECT_EQ(Action(e, "/unspeed")["changes"][0]["to"], 1.0);
    EXPECT_EQ(Action(e, "mounting")["changes"][0]["to"], 1.5);
    EXPECT_TRUE(Action(e, "dismounting")["changes"].empty());
    EXPECT_NE(tools::ExplanationText(e).find("speed 1 -> 1.5"), std::string::npos);
}

TEST(ExplainTest, InThePermissionsModeTheGroupsPickTheEntry) {
    ExplainRequest request;
    request.config_text = R"({"EnablePermissions": true, "Dinos": {"All": {"SpeedPercentage": 10}},
        "Permissions": {"VIP": {"Dinos": {"Aerial": {"SpeedPercentage": 100}}}}})";
    request.class_path = "/Game/Ptero_C";
    request.flyer = true;
    request.groups = {"Guests", "vip"};
    request.permissions_plugin = true;
    Event e = Explain(request);
    EXPECT_EQ(e["permissions"]["entry"], "VIP");
    EXPECT_EQ(Outcomes(e), (std::vector<std::string>{"absent", "selected", "not tried"}));
    EXPECT_EQ(e["entry"]["pointer"], "/Permissions/VIP/Dinos/Aerial");
    EXPECT_EQ(Action(e, "/speed")["changes"][0]["to"], 2.0);

    // A player in no group gets nothing, though the top-level "Dinos" has "All".
    request.groups = {"Guests"};
    e = Explain(request);
    EXPECT_TRUE(e["permissions"]["entry"].is_null());
    EXPECT_FALSE(e.contains("entry"));
    EXPECT_TRUE(Action(e, "/speed")["changes"].empty());
    EXPECT_TRUE(Action(e, "/speed")["messages"].empty());

    // Without the Permissions plugin the mode stays off and "Dinos" applies.
    request.permissions_plugin = false;
    e = Explain(request);
    EXPECT_EQ(e["permissions"]["mode"], false);
    EXPECT_EQ(e["entry"]["pointer"], "/Dinos/All");
}

TEST(ExplainTest, FailuresAreShownWhereTheyHappen) {
    ExplainRequest request;
    request.class_path = kRaptor;
    request.config_text = R"({"EnablePermissions": 1})";
    EXPECT_EQ(Explain(request)["load_error"],
              "[json.exception.type_error.302] type must be boolean, but is number");

    request.config_text = R"({"Commands": {"Speed": false}})";
    EXPECT_NE(Explain(request).value("load_error", "").find("type must be string"),
              std::string::npos);

    request.config_text = R"({"Dinos": {"All": 5}})";
    Event e = Explain(request);
    EXPECT_EQ(Outcomes(e), (std::vector<std::string>{"absent", "absent", "selected"}));
    EXPECT_EQ(e["entry"]["keys"][0]["error"],
              "[json.exception.type_error.306] cannot use value() with number");
    ASSERT_EQ(Action(e, "/speed")["log"].size(), 1u);

    request.config_text = R"({"Dinos": [1]})";
    e = Explain(request);
    EXPECT_EQ(Outcomes(e)[0], "fails");
    EXPECT_FALSE(e.contains("entry"));
}

}  // namespace

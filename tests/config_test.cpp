// Reading config.json: the parser's rules, the filled-in sections, the permissions mode, the
// typed lookups with their exact errors, and that a failed read changes nothing.
#include "config/config.h"

#include "test_support.h"

namespace {

class ConfigTest : public test::HostTest {
protected:
    std::string ReadError(const std::string& text) {
        WriteConfig(text);
        try {
            ReadConfig();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "";
    }

    void SetPermissionsPluginLoaded(bool loaded) {
        if (loaded) {
            host_.loaded_plugins.insert("Permissions");
        } else {
            host_.loaded_plugins.erase("Permissions");
        }
    }
};

TEST_F(ConfigTest, MissingFileFailsWithItsOwnMessage) {
    EXPECT_EQ(ReadError("{}").size(), 0u);
    std::filesystem::remove(test::PluginConfigPath(folder_.path()));
    try {
        ReadConfig();
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Error on open the config.json");
    }
}

TEST_F(ConfigTest, EmptyObjectFillsInTheSections) {
    WriteConfig("{}");
    ReadConfig();
    EXPECT_EQ(Config().dump(), R"({"Permissions":{},"Commands":{}})");
    EXPECT_FALSE(PermissionsMode());
}

TEST_F(ConfigTest, NullSectionsBecomeObjectsOtherTypesStay) {
    WriteConfig(R"({"Permissions": null, "Commands": []})");
    ReadConfig();
    EXPECT_TRUE(Config()["Permissions"].is_object());
    EXPECT_TRUE(Config()["Commands"].is_array());
}

TEST_F(ConfigTest, TextAfterTheTopLevelValueIsNotRead) {
    WriteConfig(R"({"Dinos": {}} trailing words // and a comment)");
    ReadConfig();
    EXPECT_TRUE(Config()["Dinos"].is_object());
}

TEST_F(ConfigTest, SyntaxErrorsCarryTheLibraryText) {
    EXPECT_EQ(ReadError(""),
              "[json.exception.parse_error.101] parse error at line 1, column 1: syntax error while "
              "parsing value - unexpected end of input; expected '[', '{', or a literal");
    EXPECT_EQ(ReadError("{\n  // comment\n}"),
              "[json.exception.parse_error.101] parse error at line 2, column 3: syntax error while "
              "parsing object key - invalid literal; last read: '{<U+000A>  /'; expected string literal");
    EXPECT_NE(ReadError(R"({"a": 1,})").find("parse_error.101"), std::string::npos);
}

TEST_F(ConfigTest, ByteOrderMarkIsSkipped) {
    WriteConfig("\xEF\xBB\xBF{\"EnablePermissions\": false}");
    ReadConfig();
    EXPECT_FALSE(Config()["EnablePermissions"].get<bool>());
}

TEST_F(ConfigTest, RepeatedKeyKeepsTheLastValueAtTheFirstPlace) {
    WriteConfig(R"({"Permissions": {"VIP": 1, "Admins": 2, "VIP": 3}})");
    ReadConfig();
    EXPECT_EQ(Config()["Permissions"].dump(), R"({"VIP":3,"Admins":2})");
}

TEST_F(ConfigTest, PermissionsModeNeedsTheFlagAndThePlugin) {
    WriteConfig(R"({"EnablePermissions": true})");
    ReadConfig();
    EXPECT_FALSE(PermissionsMode());
    SetPermissionsPluginLoaded(true);
    ReadConfig();
    EXPECT_TRUE(PermissionsMode());
    WriteConfig(R"({"EnablePermissions": false})");
    ReadConfig();
    EXPECT_FALSE(PermissionsMode());
}

TEST_F(ConfigTest, WronglyTypedFlagOrTopLevelFails) {
    EXPECT_EQ(ReadError(R"({"EnablePermissions": "true"})"),
              "[json.exception.type_error.302] type must be boolean, but is string");
    EXPECT_EQ(ReadError("[1, 2]"), "[json.exception.type_error.306] cannot use value() with array");
}

TEST_F(ConfigTest, AFailedReadLeavesTheDocumentAndModeInForce) {
    SetPermissionsPluginLoaded(true);
    WriteConfig(R"({"EnablePermissions": true, "Dinos": {"All": {"SpeedPercentage": 50}}})");
    ReadConfig();
    const std::string before = Config().dump();
    ASSERT_TRUE(PermissionsMode());

    for (const char* broken : {"", "{\"Dinos\": {\"All\": ", "[]", R"({"EnablePermissions": "true"})",
                               R"({"EnablePermissions": 1, "Dinos": {}})", "null"}) {
        EXPECT_NE(ReadError(broken), "") << broken;
        EXPECT_EQ(Config().dump(), before) << broken;
        EXPECT_TRUE(PermissionsMode()) << broken;
    }
    std::filesystem::remove(test::PluginConfigPath(folder_.path()));
    EXPECT_THROW(ReadConfig(), std::runtime_error);
    EXPECT_EQ(Config().dump(), before);
}

TEST_F(ConfigTest, SwitchOnNeverSwitchesOff) {
    WriteConfig(R"({"EnablePermissions": false})");
    ReadConfig();
    SwitchOnPermissionsModeIfRequested();
    EXPECT_FALSE(PermissionsMode());
    Config()["EnablePermissions"] = true;
    SwitchOnPermissionsModeIfRequested();
    EXPECT_FALSE(PermissionsMode()) << "the Permissions plugin is not loaded";
    SetPermissionsPluginLoaded(true);
    SwitchOnPermissionsModeIfRequested();
    EXPECT_TRUE(PermissionsMode());
}

// The lookups every later reader uses: the library's value() with a default.
TEST_F(ConfigTest, ValueWithDefaultConvertsAndFailsLikeTheLibrary) {
    WriteConfig(R"({"Entry": {"SpeedPercentage": true, "Whole": 150, "InfiniteWeight": 1,
                              "Time": 4.7, "Size": 2, "Null": null, "Msg": 5}})");
    ReadConfig();
    const Json& entry = Config()["Entry"];
    EXPECT_EQ(entry.value("SpeedPercentage", 0.0f), 1.0f);
    EXPECT_EQ(entry.value("Whole", 0.0f), 150.0f);
    EXPECT_EQ(entry.value("Time", 10), 4);
    EXPECT_EQ(entry.value("Size", 1.2), 2.0);
    EXPECT_EQ(entry.value("Missing", 1.2), 1.2);
    auto error_of = [&](auto read) -> std::string {
        try {
            read();
        } catch (const Json::exception& error) {
            return error.what();
        }
        return "";
    };
    EXPECT_EQ(error_of([&] { (void)entry.value("InfiniteWeight", false); }),
              "[json.exception.type_error.302] type must be boolean, but is number");
    EXPECT_EQ(error_of([&] { (void)entry.value("Null", 1.0f); }),
              "[json.exception.type_error.302] type must be number, but is null");
    EXPECT_EQ(error_of([&] { (void)entry.value("Msg", std::string()); }),
              "[json.exception.type_error.302] type must be string, but is number");
    EXPECT_EQ(error_of([&] { (void)entry["Whole"].value("x", 1); }),
              "[json.exception.type_error.306] cannot use value() with number");
}

TEST_F(ConfigTest, IndexingAMissingMemberEntersNull) {
    WriteConfig("{}");
    ReadConfig();
    EXPECT_TRUE(Config()["Messages"].is_null());
    EXPECT_TRUE(Config().contains("Messages"));
    Config()["Commands"] = Json::array();
    try {
        (void)Config()["Commands"]["Speed"];
        FAIL();
    } catch (const Json::type_error& error) {
        EXPECT_EQ(error.id, 305);
        EXPECT_STREQ(error.what(),
                     "[json.exception.type_error.305] cannot use operator[] with a string argument with array");
    }
}

}  // namespace

// schema/config.schema.json: its keys, types and defaults are those the plugin reads (the check's
// key table, and the keys named in the plugin's source), and it accepts the example
// configuration and rejects wrongly typed values.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "config_keys.h"

#if defined(KESTRAVEL_HAVE_VALIJSON)
#include <valijson/adapters/nlohmann_json_adapter.hpp>
#include <valijson/schema.hpp>
#include <valijson/schema_parser.hpp>
#include <valijson/validator.hpp>
#endif

namespace {

namespace fs = std::filesystem;
// Ordered, so that the schema's keys can be compared in the order the plugin documents them.
using json = nlohmann::ordered_json;
using tools::KeyType;
using tools::Section;

json ReadJson(const fs::path& path) {
    std::ifstream file(path);
    return json::parse(file);
}

const json& Schema() {
    static const json schema =
        ReadJson(fs::path(KESTRAVEL_SOURCE_DIR) / "schema/config.schema.json");
    return schema;
}

std::vector<std::string> Names(const json& properties) {
    std::vector<std::string> names;
    for (const auto& [name, value] : properties.items()) {
        if (name != tools::kSchemaKey) names.push_back(name);
    }
    return names;
}

const json& PropertiesOf(Section section) {
    const json& schema = Schema();
    switch (section) {
        case Section::kTopLevel:
            return schema["properties"];
        case Section::kCommands:
            return schema["properties"]["Commands"]["properties"];
        case Section::kPermissionEntry:
            return schema["definitions"]["permissionEntry"]["properties"];
        case Section::kSettingsEntry:
            return schema["definitions"]["settings"]["properties"];
        case Section::kMessageEntry:
            break;
    }
    return schema["definitions"]["message"]["properties"];
}

std::string SchemaType(KeyType type) {
    switch (type) {
        case KeyType::kBoolean:
            return "boolean";
        case KeyType::kFloat:
        case KeyType::kDouble:
            return "number";
        case KeyType::kInt32:
            return "integer";
        case KeyType::kString:
            return "string";
        case KeyType::kObject:
            break;
    }
    return "object";
}

TEST(SchemaTest, KeysTypesAndDefaultsAreThoseOfTheKeyTable) {
    for (Section section : {Section::kTopLevel, Section::kCommands, Section::kPermissionEntry,
                            Section::kSettingsEntry, Section::kMessageEntry}) {
        const json& properties = PropertiesOf(section);
        std::vector<std::string> table;
        for (const auto& key : tools::KeysOf(section)) {
            table.push_back(key.name);
            SCOPED_TRACE(key.name);
            ASSERT_TRUE(properties.contains(key.name));
            const json& property = properties[key.name];
            EXPECT_FALSE(property.value("description", "").empty());
            if (key.type == KeyType::kObject) {
                // Objects are described by reference or as objects that may also be null.
                EXPECT_TRUE(property.contains("$ref") ||
                            property["type"] == json::array({"object", "null"}));
            } else {
                EXPECT_EQ(property["type"], SchemaType(key.type));
            }
            if (*key.default_json == '\0') {
                EXPECT_FALSE(property.contains("default"));
            } else {
                EXPECT_EQ(property["default"], json::parse(key.default_json));
            }
        }
        EXPECT_EQ(Names(properties), table);
    }
    EXPECT_EQ(Names(Schema()["properties"]["Messages"]["properties"]), tools::MessageEvents());
}

// Every name the plugin's source reads from the document, by value(), by key indexing or as a
// message event.
std::set<std::string> NamesReadBySource() {
    const std::regex read(R"re((?:value\(|\[|SendEventMessage\()"([A-Za-z]+)")re");
    std::set<std::string> names;
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(KESTRAVEL_SOURCE_DIR) / "src")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        std::ifstream file(entry.path());
        std::stringstream text;
        text << file.rdbuf();
        const std::string source = text.str();
        for (std::sregex_iterator it(source.begin(), source.end(), read), end; it != end; ++it) {
            names.insert((*it)[1]);
        }
    }
    return names;
}

TEST(SchemaTest, NamesTheSameKeysAsThePluginsSourceReads) {
    std::set<std::string> schema;
    for (Section section : {Section::kTopLevel, Section::kCommands, Section::kPermissionEntry,
                            Section::kSettingsEntry, Section::kMessageEntry}) {
        for (const auto& name : Names(PropertiesOf(section))) schema.insert(name);
    }
    for (const auto& name : Names(Schema()["properties"]["Messages"]["properties"]))
        schema.insert(name);
    EXPECT_EQ(NamesReadBySource(), schema);
}

#if defined(KESTRAVEL_HAVE_VALIJSON)
bool Valid(const json& document, std::string* errors = nullptr) {
    // The validator's adapter takes the library's plain document type.
    const nlohmann::json schema_document = nlohmann::json::parse(Schema().dump());
    const nlohmann::json plain = nlohmann::json::parse(document.dump());
    valijson::Schema schema;
    valijson::SchemaParser parser(valijson::SchemaParser::kDraft7);
    valijson::adapters::NlohmannJsonAdapter schema_adapter(schema_document);
    parser.populateSchema(schema_adapter, schema);
    valijson::Validator validator;
    valijson::adapters::NlohmannJsonAdapter adapter(plain);
    valijson::ValidationResults results;
    const bool valid = validator.validate(schema, adapter, &results);
    valijson::ValidationResults::Error error;
    while (results.popError(error)) {
        std::string context;
        for (const auto& part : error.context) context += part;
        if (errors != nullptr) *errors += context + ": " + error.description + "\n";
    }
    return valid;
}

TEST(SchemaTest, AcceptsTheExampleAndRejectsWhatIsWronglyTyped) {
    const json example = ReadJson(fs::path(KESTRAVEL_SOURCE_DIR) / "examples/config.json");
    EXPECT_EQ(example.value("$schema", ""), "../schema/config.schema.json");
    std::string errors;
    EXPECT_TRUE(Valid(example, &errors)) << errors;
    EXPECT_TRUE(Valid(json::parse(R"({"Commands": null, "Dinos": {"All": null}})")));
    for (const char* wrong :
         {R"([])", R"({"EnablePermissions": "true"})", R"({"Commands": {"Speed": 5}})",
          R"({"Dinos": {"All": {"InfiniteWeight": 1}}})",
          R"({"Dinos": {"All": {"SpeedPercentage": "5"}}})", R"({"Dinos": {"Raptor": {}}})",
          R"({"Dinos": {"All": {"Speed": 5}}})", R"({"Permissions": {"VIP": {"Dinos": []}}})",
          R"({"Messages": {"OnSpeedCmd": {"Time": 1.5}}})",
          R"({"Messages": {"OnSpeedCommand": {}}})",
          R"({"Messages": {"OnSpeedCmd": {"Size": "big"}}})"}) {
        EXPECT_FALSE(Valid(json::parse(wrong))) << wrong;
    }
}
#endif

}  // namespace

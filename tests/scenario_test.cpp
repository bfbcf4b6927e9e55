// Scenario scripts run through `kestravel server --json`: each "#> {...}" line of a script is an
// event that must come next, with at least the fields it names; an expected error event means
// the run must end with status 1.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#if defined(_WIN32)
#define popen _popen
#define pclose _pclose
#endif

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::vector<std::string> Scenarios() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(KESTRAVEL_SCENARIOS)) {
        if (entry.path().extension() == ".kestravel") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<json> Expected(const fs::path& script) {
    std::vector<json> events;
    std::ifstream file(script);
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("#>", 0) == 0) events.push_back(json::parse(line.substr(2)));
    }
    return events;
}

struct ToolRun {
    std::vector<std::string> lines;
    int status = -1;
};

ToolRun RunTool(const fs::path& script) {
    std::string command =
        std::string("\"") + KESTRAVEL_TOOL + "\" server --json \"" + script.string() + "\" 2>&1";
#if defined(_WIN32)
    // popen hands the line to `cmd /c`, which drops its first and last quote when there are more
    // than two: one more pair keeps the quoted program and script names whole.
    command = "\"" + command + "\"";
#endif
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::string line;
    std::array<char, 4096> buffer;
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
        line += buffer.data();
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            run.lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty()) run.lines.push_back(line);
    const int status = pclose(pipe);
#if defined(_WIN32)
    run.status = status;
#else
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return run;
}

// Every field of `expected` is in `actual` with an equal value.
bool Matches(const json& expected, const json& actual) {
    if (!actual.is_object()) return false;
    for (const auto& [key, value] : expected.items()) {
        if (!actual.contains(key) || actual[key] != value) return false;
    }
    return true;
}

class ScenarioTest : public testing::TestWithParam<std::string> {};

TEST_P(ScenarioTest, EventsAreThoseTheScriptExpects) {
    const fs::path script = fs::path(KESTRAVEL_SCENARIOS) / (GetParam() + ".kestravel");
    const auto expected = Expected(script);
    ASSERT_FALSE(expected.empty()) << "the scenario expects no event";
    const ToolRun run = RunTool(script);

    bool error_expected = false;
    for (const json& event : expected) error_expected |= event.value("event", "") == "error";
    EXPECT_EQ(run.status, error_expected ? 1 : 0);

    std::string output;
    for (const auto& line : run.lines) output += line + "\n";
    ASSERT_EQ(run.lines.size(), expected.size()) << output;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const json actual = json::parse(run.lines[i], nullptr, /*allow_exceptions=*/false);
        EXPECT_TRUE(Matches(expected[i], actual))
            << "event " << i + 1 << "\n expected " << expected[i].dump() << "\n actual   "
            << run.lines[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, testing::ValuesIn(Scenarios()),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

}  // namespace

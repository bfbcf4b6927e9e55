// Test fixtures: a temporary server folder, a simulated host on it, and a simulated server that
// loads the built plugin.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "host.h"
#include "server.h"

namespace test {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        path_ = fs::temp_directory_path() / ("kestravel-test-" + std::to_string(seed()) + std::to_string(seed()));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

inline fs::path PluginConfigPath(const fs::path& server) {
    return server / "ArkApi" / "Plugins" / "Kestravel" / "config.json";
}

inline void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A simulated host alone, for the plugin's code linked into the test.
class HostTest : public testing::Test {
protected:
    void WriteConfig(const std::string& text) { WriteFile(PluginConfigPath(folder_.path()), text); }

    TempFolder folder_;
    sim::Host host_{folder_.path().generic_string()};
};

// A simulated server that loads the built plugin library from its folder.
class ServerTest : public testing::Test {
protected:
    ServerTest()
        : server_(sim::ServerOptions{folder_.path(), KESTRAVEL_PLUGIN_PATH, KESTRAVEL_PERMISSIONS_PATH}) {}

    void TearDown() override {
        server_.UnloadPlugin();
        EXPECT_EQ(server_.host().heap.Blocks(), 0u) << "the game heap holds blocks after unload";
        EXPECT_TRUE(server_.host().heap.Errors().empty());
        EXPECT_TRUE(server_.host().guard.Escapes().empty()) << Escapes();
        EXPECT_TRUE(server_.host().names.Unresolved().empty());
        EXPECT_TRUE(server_.host().faults.empty());
    }

    std::string Escapes() {
        std::string text;
        for (const auto& escape : server_.host().guard.Escapes()) {
            text += escape.callback + ": " + escape.what + "\n";
        }
        return text;
    }

    void Load(const std::string& config) {
        server_.WriteConfig(config);
        std::string error;
        ASSERT_TRUE(server_.LoadPlugin(&error)) << error;
    }

    std::vector<sim::LogLine> Logs() { return server_.host().sink->Lines(); }

    TempFolder folder_;
    sim::Server server_;
};

}  // namespace test

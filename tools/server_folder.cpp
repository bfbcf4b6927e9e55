// The folder of a simulated server.
#include "server_folder.h"

#include <random>
#include <string>

namespace tools {

namespace fs = std::filesystem;

ServerFolder::ServerFolder(const fs::path& given) {
    if (!given.empty()) {
        fs::create_directories(given);
        path_ = given;
        return;
    }
    std::random_device seed;
    do {
        path_ = fs::temp_directory_path() / ("kestravel-server-" + std::to_string(seed()));
    } while (!fs::create_directory(path_));
    temporary_ = true;
}

ServerFolder::~ServerFolder() {
    std::error_code ignored;
    if (temporary_) fs::remove_all(path_, ignored);
}

}  // namespace tools

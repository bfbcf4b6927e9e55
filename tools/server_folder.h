// The folder of a simulated server: one that is given (made when missing and kept), or a new
// temporary one that is removed with everything in it.
#pragma once

#include <filesystem>

namespace tools {

class ServerFolder {
public:
    explicit ServerFolder(const std::filesystem::path& given = {});
    ~ServerFolder();
    ServerFolder(const ServerFolder&) = delete;
    ServerFolder& operator=(const ServerFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    bool temporary_ = false;
};

}  // namespace tools

// The plugin's logger on the host's shared sinks.
#include "plugin/logger.h"

#include <memory>
#include <mutex>

#include "host/arkapi.h"

spdlog::logger& Log() {
    static std::once_flag once;
    static std::shared_ptr<spdlog::logger> logger;
    std::call_once(once, [] {
        // Not registered with spdlog: the registry belongs to the host and outlives us.
        const auto& sinks = GetLogSinks();
        logger = std::make_shared<spdlog::logger>("Kestravel", sinks.begin(), sinks.end());
        logger->set_pattern("%D %R [%n][%l] %v", spdlog::pattern_time_type::local);
        logger->set_level(spdlog::level::info);
        logger->flush_on(spdlog::level::info);
    });
    return *logger;
}
